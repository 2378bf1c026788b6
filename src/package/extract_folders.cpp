#include "package/extract_folders.h"

#include "package/extract_names.h"
#include "runtime/file.h"

namespace qv {

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
