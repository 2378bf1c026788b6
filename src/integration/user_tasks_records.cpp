#include "integration/user_tasks_records.h"

namespace qv {

std::string formatUndoRecord(int32_t kind, std::initializer_list<std::string_view> fields) {
  std::string record = std::to_string(kind);
  for (std::string_view f : fields) {
    record.push_back('|');
    record.append(f);
  }
  return record;
}

std::string formatRegistryRoot(uint32_t root) { return std::to_string(root); }

std::string programFileNameOf(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (!name.empty() && name.front() == '"') name.remove_prefix(1);
  return std::string(name.substr(0, name.find('"')));
}

}  // namespace qv
