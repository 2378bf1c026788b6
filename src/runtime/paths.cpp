#include "runtime/paths.h"

#include "runtime/file.h"

namespace qv {

std::string withTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + '\\';
}

std::string withoutTrailingBackslash(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::string folderPartOf(const std::string& path) {
  size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string fileNamePartOf(const std::string& path) {
  size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string programFileName(std::string_view path) {
  size_t separator = path.find_last_of("\\/");
  std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
  if (!name.empty() && name.front() == '"') name.remove_prefix(1);
  return std::string(name.substr(0, name.find('"')));
}

std::string extensionOf(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) return std::string();
  size_t separator = path.find_last_of("\\/");
  if (separator != std::string::npos && separator > dot) return std::string();
  return path.substr(dot + 1);
}

void ensureFolderChain(const std::string& path) {
  if (folderExists(path)) return;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '\\' && path[i] != '/') continue;
    std::string prefix = path.substr(0, i + 1);
    if (!folderExists(prefix)) createFolder(prefix);
  }
}

bool ensureFolderPath(const std::string& path) {
  std::string folder = withTrailingBackslash(path);
  ensureFolderChain(folder);
  return folderExists(folder);
}

}  // namespace qv
