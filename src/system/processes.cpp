#include "system/processes.h"

#include <utility>

namespace qv {

std::string processCommandLine(const std::string& file, const std::string& parameters) {
  std::string line = !file.empty() && file[0] == '"' ? file : "\"" + file + "\"";
  if (!parameters.empty()) line += " " + parameters;
  return line;
}

std::string shellDirectory(const std::string& file, const std::string& workingFolder) {
  if (!workingFolder.empty()) return workingFolder;
  size_t separator = file.rfind('\\');
  if (separator == std::string::npos || separator == 0) return std::string();
  return file.substr(0, separator + 1);
}

ProcessRecord* ProcessRecordList::keep(std::unique_ptr<ProcessRecord> record) {
  records_.push_back(std::move(record));
  return records_.back().get();
}

bool ProcessRecordList::contains(const ProcessRecord* record) const {
  if (!record) return false;
  for (const auto& kept : records_)
    if (kept.get() == record) return true;
  return false;
}

std::unique_ptr<ProcessRecord> ProcessRecordList::take(const ProcessRecord* record) {
  for (size_t i = 0; i < records_.size(); ++i) {
    if (records_[i].get() != record) continue;
    std::unique_ptr<ProcessRecord> taken = std::move(records_[i]);
    records_.erase(records_.begin() + std::ptrdiff_t(i));
    return taken;
  }
  return nullptr;
}

std::vector<std::unique_ptr<ProcessRecord>> ProcessRecordList::takeAll() {
  std::vector<std::unique_ptr<ProcessRecord>> all;
  all.swap(records_);
  return all;
}

}  // namespace qv
