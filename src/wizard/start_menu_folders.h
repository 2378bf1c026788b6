// The start-menu folder picker's logic: the folders below a Programs folder as a
// sorted list, the tree they make, the item a path names, and the path of an item.
// The picker window itself is win32/start_menu_picker_win32.h.
#pragma once

#include <string>
#include <vector>

namespace qv {

// One item of the tree: a folder's name and its depth below the Programs folder.
struct StartMenuTreeItem {
  std::string name;
  int level = 0;  // 0 directly under the Programs folder
};

// Every folder below the Programs folder (with its trailing backslash), as paths
// relative to it (names joined by "\", no backslash at either end), without
// duplicates, sorted ascending without regard to case so that each folder comes right
// after its parent and its parent's other children: a backslash sorts before every
// other character. Links to folders are listed but not entered. Empty when the folder
// cannot be read.
std::vector<std::string> listStartMenuFolders(const std::string& programsFolder);

// The tree items of a sorted list: each entry's last name, at the depth its
// backslashes give.
std::vector<StartMenuTreeItem> startMenuTree(const std::vector<std::string>& folders);

// The item a path names (its names matched exactly, level by level), or -1. A path
// only partly found gives the deepest item matched.
int findStartMenuItem(const std::vector<StartMenuTreeItem>& items, const std::string& path);

// The path of an item, its parents' names before it; empty for -1 or an index out of
// the tree.
std::string startMenuItemPath(const std::vector<StartMenuTreeItem>& items, int item);

}  // namespace qv
