// The start-menu picker's folders from a real folder tree: the sorted list with each
// folder before its children, the tree's levels, finding the item a path names, and
// the path of an item.
#include "wizard/start_menu_folders.h"

#include <gtest/gtest.h>

#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"

namespace {

using qv::StartMenuTreeItem;

TEST(StartMenuFolders, EveryFolderRightAfterItsParentWhateverTheNames) {
  qvtest::ScratchFolder dir;
  for (const char* folder : {"Acme\\Tools\\", "Acme Extra\\", "Acme\\readme folder\\", "Zeta\\", "Acme\\Tools\\Deep\\"})
    ASSERT_TRUE(qv::ensureFolderPath(dir / "Programs\\" + folder));
  ASSERT_TRUE(qv::writeWholeFile(dir / "Programs\\Acme\\file.lnk", "x", 1));  // files are no folders
  std::vector<std::string> folders = qv::listStartMenuFolders(dir / "Programs\\");
  // Without regard to case ("readme folder" before "Tools"), and "Acme Extra" after
  // Acme's children: a blank would sort before a backslash.
  EXPECT_EQ(folders, (std::vector<std::string>{"Acme", "Acme\\readme folder", "Acme\\Tools", "Acme\\Tools\\Deep",
                                                "Acme Extra", "Zeta"}));
  EXPECT_TRUE(qv::listStartMenuFolders(dir / "missing\\").empty());
}

TEST(StartMenuFolders, TheTreeAndItsPaths) {
  std::vector<StartMenuTreeItem> items =
      qv::startMenuTree({"Acme", "Acme\\Tools", "Acme\\Tools\\Deep", "Acme Extra", "Zeta", "Zeta\\Tools"});
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[2].name, "Deep");
  EXPECT_EQ(items[2].level, 2);
  EXPECT_EQ(items[3].level, 0);
  EXPECT_EQ(qv::findStartMenuItem(items, "Acme\\Tools"), 1);
  EXPECT_EQ(qv::findStartMenuItem(items, "Acme\\Tools\\"), 1);
  EXPECT_EQ(qv::findStartMenuItem(items, "Zeta\\Tools"), 5);  // not Acme's Tools
  EXPECT_EQ(qv::findStartMenuItem(items, "Acme\\Missing"), 0);  // the deepest match
  EXPECT_EQ(qv::findStartMenuItem(items, "acme"), -1);          // matched exactly
  EXPECT_EQ(qv::findStartMenuItem(items, ""), -1);
  EXPECT_EQ(qv::startMenuItemPath(items, 2), "Acme\\Tools\\Deep");
  EXPECT_EQ(qv::startMenuItemPath(items, 5), "Zeta\\Tools");
  EXPECT_EQ(qv::startMenuItemPath(items, 3), "Acme Extra");
  EXPECT_EQ(qv::startMenuItemPath(items, -1), "");
  EXPECT_EQ(qv::startMenuItemPath(items, 6), "");
}

}  // namespace
