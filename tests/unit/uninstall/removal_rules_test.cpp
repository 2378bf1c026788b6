// What a log may name for removal, and the folders that are never removed.
#include "uninstall/removal_rules.h"

#include <gtest/gtest.h>

#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "unit/system/fake_system_folders.h"
#include "unit/uninstall/uninstall_machine.h"

TEST(RemovalRules, PlainPathsOnly) {
  for (const char* path : {"C:\\Program Files\\App\\", "c:\\a\\b.txt", "\\\\server\\share\\a", "C:\\", "\\tmp\\x"})
    EXPECT_TRUE(qv::isPlainAbsolutePath(path)) << path;
  for (const char* path : {"", "a\\b", "C:a", "C:\\a\\..\\b", "C:\\a\\.\\b", "C:\\a\\\\b", "C:/a", "C:\\a/b",
                           "C:\\a:stream", "\\\\server", "\\\\\\x", "..\\x", "\\\\srv\\sh/x", "\\\\srv\\sh:x\\a"})
    EXPECT_FALSE(qv::isPlainAbsolutePath(path)) << path;
  for (const char* path : {"a.txt", "bin\\", "bin\\tool.exe", "a b\\c d.txt"})
    EXPECT_TRUE(qv::isPlainRelativePath(path)) << path;
  for (const char* path : {"", "\\a", "C:\\a", "C:a", "..\\a", "a\\..\\..\\b", "a\\\\b", "a/b", ".", "a\\.\\b"})
    EXPECT_FALSE(qv::isPlainRelativePath(path)) << path;
}

TEST(RemovalRules, FoldersComparedWithoutCaseAndTrailingBackslash) {
  EXPECT_TRUE(qv::isSameFolder("C:\\Prog\\App", "c:\\PROG\\app\\"));
  EXPECT_FALSE(qv::isSameFolder("C:\\Prog\\App", "C:\\Prog\\App2"));
  EXPECT_TRUE(qv::isInsideFolder("C:\\Prog\\App\\a.txt", "c:\\prog\\app"));
  EXPECT_FALSE(qv::isInsideFolder("C:\\Prog\\App\\", "C:\\Prog\\App"));
  EXPECT_FALSE(qv::isInsideFolder("C:\\Prog\\AppOther\\a", "C:\\Prog\\App"));
  EXPECT_TRUE(qv::isInsideFolder("\\a", "\\"));
  EXPECT_TRUE(qv::isDriveRoot("C:\\") && qv::isDriveRoot("d:") && qv::isDriveRoot("\\\\srv\\share\\"));
  EXPECT_FALSE(qv::isDriveRoot("C:\\a"));
  EXPECT_TRUE(qv::isLinkFileName("C:\\x\\Hello.LNK") && qv::isLinkFileName("a.url"));
  EXPECT_FALSE(qv::isLinkFileName("C:\\x\\hello.exe"));
}

TEST(RemovalRules, SharedFoldersTheirParentsAndRootsAreProtected) {
  qvtest::FakeFolderLookup folders;
  folders.folders[qv::folder_code::kProgramFiles] = "C:\\Program Files\\";
  folders.folders[40] = "C:\\Users\\me\\";  // the profile
  folders.folders[qv::folder_code::kWindows] = "C:\\Windows\\";
  const qv::SharedFolders shared(folders);
  for (const char* folder : {"C:\\", "C:\\Program Files", "c:\\program files\\", "C:\\Users\\", "C:\\Users\\me",
                             "C:\\Windows\\", "relative\\", "C:\\a\\..\\Windows\\"})
    EXPECT_TRUE(shared.isProtected(folder)) << folder;
  for (const char* folder : {"C:\\Program Files\\App\\", "C:\\Users\\me\\Tools\\", "D:\\Apps\\"})
    EXPECT_FALSE(shared.isProtected(folder)) << folder;
}

TEST(RemovalRules, EmptyFolderChainStopsAtTheFirstFolderInUseOrProtected) {
  qvtest::ScratchFolder scratch;
  const std::string root = qvtest::UninstallMachine::backslashed(scratch.path());
  qvtest::FakeFolderLookup folders;
  folders.folders[qv::folder_code::kPrograms] = root + "Programs\\";
  const qv::SharedFolders shared(folders);
  qv::ensureFolderPath(root + "Programs\\Vendor\\App\\Tools\\");
  qv::ensureFolderPath(root + "Programs\\Other\\");
  EXPECT_EQ(qv::removeEmptyFolderChain(root + "Programs\\Vendor\\App\\Tools\\", shared), 3);
  EXPECT_TRUE(qv::folderExists(root + "Programs\\"));  // the Programs folder itself, though empty of ours
  EXPECT_FALSE(qv::folderExists(root + "Programs\\Vendor\\"));

  qv::ensureFolderPath(root + "Keep\\Sub\\");
  qv::writeWholeFile(root + "Keep\\user.txt", "u", 1);
  EXPECT_EQ(qv::removeEmptyFolderChain(root + "Keep\\Sub\\", shared), 1);
  EXPECT_TRUE(qv::fileExists(root + "Keep\\user.txt"));
}
