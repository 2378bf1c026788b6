#include "wizard/start_menu_folders.h"

#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {
namespace {

// Depth is bounded by the path length the system accepts; the bound guards against a
// file layer that reports a cycle anyway.
void collectFolders(const std::string& folder, const std::string& relative, int depth,
                    std::vector<std::string>& found) {
  if (depth > 64) return;
  std::vector<FolderItem> items;
  if (!listFolder(folder, items)) return;
  for (const FolderItem& item : items) {
    if (!item.isFolder || !item.nameConverts) continue;
    std::string path = relative.empty() ? item.name : relative + "\\" + item.name;
    if (!item.isLink) collectFolders(folder + item.name + "\\", path, depth + 1, found);
    found.push_back(std::move(path));
  }
}

// Without regard to case, a backslash before every other character: a folder's
// children follow it before any folder whose name merely begins with its name.
int sortKey(char c) { return c == '\\' ? 0 : int(static_cast<unsigned char>(upperCaseLetter(c))) + 1; }

bool sortsBefore(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (sortKey(a[i]) != sortKey(b[i])) return sortKey(a[i]) < sortKey(b[i]);
  return a.size() < b.size();
}

}  // namespace

std::vector<std::string> listStartMenuFolders(const std::string& programsFolder) {
  std::vector<std::string> found;
  if (programsFolder.empty()) return found;
  collectFolders(withTrailingBackslash(programsFolder), "", 0, found);
  sortShortList(found, sortsBefore);
  // Equal paths sort next to each other; keep the first of each.
  size_t kept = 0;
  for (size_t i = 0; i < found.size(); ++i) {
    if (kept > 0 && found[i] == found[kept - 1]) continue;
    if (i != kept) found[kept] = std::move(found[i]);
    ++kept;
  }
  found.resize(kept);
  return found;
}

std::vector<StartMenuTreeItem> startMenuTree(const std::vector<std::string>& folders) {
  std::vector<StartMenuTreeItem> items(folders.size());
  for (size_t i = 0; i < folders.size(); ++i) {
    items[i].name = fileNamePartOf(folders[i]);
    items[i].level = int(countCharacter(folders[i], '\\'));
  }
  return items;
}

int findStartMenuItem(const std::vector<StartMenuTreeItem>& items, const std::string& path) {
  const std::string trimmed = path.size() > 1 && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
  const size_t components = countCharacter(trimmed, '\\') + 1;
  int found = -1;
  size_t wanted = 1;
  for (size_t i = 0; i < items.size() && wanted <= components; ++i) {
    const int level = int(wanted) - 1;
    if (items[i].level < level) break;
    if (items[i].level == level && items[i].name == fieldOf(trimmed, '\\', wanted)) {
      found = int(i);
      ++wanted;
    }
  }
  return found;
}

std::string startMenuItemPath(const std::vector<StartMenuTreeItem>& items, int item) {
  if (item < 0 || size_t(item) >= items.size()) return std::string();
  std::string path = items[size_t(item)].name;
  int level = items[size_t(item)].level;
  for (int i = item - 1; i >= 0 && level > 0; --i) {
    if (items[size_t(i)].level < level) {
      path = items[size_t(i)].name + "\\" + path;
      level = items[size_t(i)].level;
    }
  }
  return path;
}

}  // namespace qv
