// Removal of a whole folder tree: nested folders go with it, links are removed
// without being followed, and an empty path removes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "runtime/file.h"
#include "runtime/folder_removal.h"
#include "support/scratch_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

using qvtest::ScratchFolder;

bool writeText(const std::string& path, const std::string& text) {
  return qv::writeWholeFile(path, text.data(), text.size());
}

// A symbolic link at `link` to `target`; false where the system does not allow one.
bool makeLink(const std::string& target, const std::string& link, bool folder) {
#ifdef _WIN32
  // Looked up by name: older systems have no symbolic links.
  using CreateLinkFn = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  auto createLink = reinterpret_cast<CreateLinkFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
  std::string t = target;
  if (!t.empty() && t.back() == '\\') t.pop_back();
  return createLink && createLink(link.c_str(), t.c_str(), folder ? 1 : 0) != 0;  // 1: a folder link
#else
  (void)folder;
  std::string t = target, l = link;
  std::replace(t.begin(), t.end(), '\\', '/');
  std::replace(l.begin(), l.end(), '\\', '/');
  return ::symlink(t.c_str(), l.c_str()) == 0;
#endif
}

TEST(FolderRemoval, RemovesNestedFoldersAndFiles) {
  ScratchFolder dir;
  std::string root = dir / "{RUN}\\";
  ASSERT_TRUE(qv::createFolder(root));
  ASSERT_TRUE(qv::createFolder(root + "lang"));
  ASSERT_TRUE(qv::createFolder(root + "lang\\more"));
  ASSERT_TRUE(qv::createFolder(root + "empty"));
  ASSERT_TRUE(writeText(root + "setup.ini", "[Settings]"));
  ASSERT_TRUE(writeText(root + "lang\\en.lng", "x"));
  ASSERT_TRUE(writeText(root + "lang\\more\\de.lng", "y"));
  ASSERT_TRUE(writeText(root + "no extension", ""));
  ASSERT_TRUE(writeText(dir / "{RUN}.txt", "a neighbour with a similar name"));

  EXPECT_TRUE(qv::removeFolderTree(root));
  EXPECT_FALSE(qv::folderExists(root));
  EXPECT_TRUE(qv::fileExists(dir / "{RUN}.txt"));

  // Without the trailing backslash, too.
  ASSERT_TRUE(qv::createFolder(dir / "second"));
  ASSERT_TRUE(writeText(dir / "second\\a", "a"));
  EXPECT_TRUE(qv::removeFolderTree(dir / "second"));
  EXPECT_FALSE(qv::folderExists(dir / "second"));

  EXPECT_FALSE(qv::removeFolderTree(dir / "missing\\"));
}

TEST(FolderRemoval, LinksAreRemovedButNeverFollowed) {
  ScratchFolder dir;
  std::string outside = dir / "outside\\";
  ASSERT_TRUE(qv::createFolder(outside));
  ASSERT_TRUE(qv::createFolder(outside + "deep"));
  ASSERT_TRUE(writeText(outside + "keep.txt", "keep"));
  ASSERT_TRUE(writeText(outside + "deep\\keep2.txt", "keep"));
  std::string root = dir / "run\\";
  ASSERT_TRUE(qv::createFolder(root));
  ASSERT_TRUE(qv::createFolder(root + "sub"));
  ASSERT_TRUE(writeText(root + "sub\\file.txt", "x"));
  if (!makeLink(outside, root + "sub\\folder-link", true) || !makeLink(outside + "keep.txt", root + "file-link", false))
    GTEST_SKIP() << "symbolic links cannot be made here";

  EXPECT_TRUE(qv::removeFolderTree(root));
  EXPECT_FALSE(qv::folderExists(root));
  EXPECT_TRUE(qv::fileExists(outside + "keep.txt"));
  EXPECT_TRUE(qv::fileExists(outside + "deep\\keep2.txt"));
  EXPECT_TRUE(qv::folderExists(outside + "deep"));
}

// Holds a file open the way a program that is just ending holds its files: on Windows
// without sharing, so it cannot be deleted, until the holder lets go.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path) {
#ifdef _WIN32
    handle_ = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
#else
    (void)path;
#endif
  }
  ~HeldFile() { release(); }
  void release() {
#ifdef _WIN32
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
#endif
  }

 private:
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#endif
};

TEST(FolderRemoval, KeepsTryingWhileSomethingStillHoldsTheFolder) {
  ScratchFolder dir;
  const std::string root = dir / "run\\";
  ASSERT_TRUE(qv::createFolder(root));
  ASSERT_TRUE(writeText(root + "held.log", "written by a task"));
  HeldFile held(root + "held.log");
#ifdef _WIN32
  // Without patience the held file keeps the folder.
  EXPECT_FALSE(qv::removeFolderTree(root));
  EXPECT_TRUE(qv::folderExists(root));
#endif
  std::thread letGo([&] {
    qv::pauseMilliseconds(300);
    held.release();
  });
  EXPECT_TRUE(qv::removeFolderTree(root, 2000));
  letGo.join();
  EXPECT_FALSE(qv::folderExists(root));
}

TEST(FolderRemoval, AnEmptyPathRemovesNothing) {
  // Made relative to the current folder, an empty path would name the current or
  // the root folder.
  EXPECT_FALSE(qv::removeFolderTree(""));
}

}  // namespace
