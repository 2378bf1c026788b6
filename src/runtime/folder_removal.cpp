#include "runtime/folder_removal.h"

#include <vector>

#include "runtime/file.h"

namespace qv {
namespace {

// A link to a folder is a folder entry on Windows and a file entry on POSIX
// systems; either way removing the entry leaves its target alone.
void removeLink(const std::string& path) {
  if (!removeFile(path)) removeFolder(path);
}

// Depth is bounded by the path length the system accepts, so recursion is safe;
// the bound below guards against a file layer that reports a cycle anyway.
void removeContents(const std::string& folder, int depth) {
  if (depth > 512) return;
  std::vector<FolderItem> items;
  if (!listFolder(folder, items)) return;
  for (const FolderItem& item : items) {
    if (!item.nameConverts) continue;  // no path reaches it; its stand-in may name another item
    std::string path = folder + item.name;
    if (item.isLink) {
      removeLink(path);
    } else if (item.isFolder) {
      removeContents(path + "\\", depth + 1);
      removeFolder(path);
    } else {
      removeFile(path);
    }
  }
}

}  // namespace

bool removeFolderTree(const std::string& folder, unsigned patienceMilliseconds) {
  if (folder.empty()) return false;
  std::string base = folder;
  if (base.back() != '\\' && base.back() != '/') base += '\\';
  if (!folderExists(base)) return false;
  constexpr unsigned kStep = 50;
  for (unsigned waited = 0;; waited += kStep) {
    removeContents(base, 0);
    if (removeFolder(base) || !folderExists(base)) return true;
    if (waited >= patienceMilliseconds) return false;
    pauseMilliseconds(kStep);
  }
}

}  // namespace qv
