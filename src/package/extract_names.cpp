#include "package/extract_names.h"

#include <algorithm>

namespace qv {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// A component Windows would resolve to the parent folder: ".." itself, or dots and
// blanks that trailing-dot and trailing-blank trimming turn into it.
bool isParentComponent(const std::string& name, size_t begin, size_t end) {
  size_t dots = 0;
  for (size_t i = begin; i < end; ++i) {
    if (name[i] == '.')
      ++dots;
    else if (name[i] != ' ')
      return false;
  }
  return dots >= 2;
}

}  // namespace

std::vector<std::string> parseKeptExtensions(const std::string& list) {
  std::vector<std::string> kept;
  if (list.empty()) return kept;
  size_t count = size_t(std::count(list.begin(), list.end(), '|'));
  if (count == 0) count = 1;
  size_t start = 0;
  for (size_t i = 0; i < count; ++i) {
    size_t bar = list.find('|', start);
    if (bar == std::string::npos) bar = list.size();
    kept.push_back(list.substr(start, bar - start));
    start = std::min(bar + 1, list.size());
  }
  return kept;
}

bool isKeptExtension(const std::string& extension, const std::vector<std::string>& kept) {
  return std::find(kept.begin(), kept.end(), extension) != kept.end();
}

bool isSafeEntryName(const std::string& name) {
  if (name.empty() || isSeparator(name[0])) return false;
  if (name.find(':') != std::string::npos) return false;
  size_t begin = 0;
  while (begin <= name.size()) {
    size_t end = begin;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    if (isParentComponent(name, begin, end)) return false;
    begin = end + 1;
  }
  return true;
}

}  // namespace qv
