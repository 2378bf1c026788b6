// The POSIX file layer between ANSI paths and the host's UTF-8 names: paths are
// converted on the way in, listed names on the way out, and a host name without an
// ANSI form is flagged rather than mangled into another item's name.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/file.h"
#include "runtime/folder_removal.h"
#include "support/host_files.h"
#include "support/scratch_folder.h"

namespace {

using qvtest::hostFileExists;
using qvtest::hostPathOf;
using qvtest::makeHostFile;

// A file made under a host name and removed with the object, for names the file
// layer cannot reach.
class HostFile {
 public:
  explicit HostFile(std::string path) : path_(std::move(path)) {
    int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    made_ = fd >= 0;
    if (made_) ::close(fd);
  }
  ~HostFile() { ::unlink(path_.c_str()); }
  bool made() const { return made_; }

 private:
  std::string path_;
  bool made_ = false;
};

TEST(FileHostNames, AnsiPathsBecomeUtf8HostNamesAndBack) {
  qvtest::ScratchFolder dir;
  ASSERT_TRUE(qv::createFolder(dir / "\xDC" "bersicht"));
  ASSERT_TRUE(qv::writeWholeFile(dir / "\xDC" "bersicht\\\xC4\x80.txt", "x", 1));
  EXPECT_TRUE(hostFileExists(hostPathOf(dir.path(), "Übersicht/Ä€.txt")));
  EXPECT_TRUE(qv::fileExists(dir / "\xDC" "bersicht\\\xC4\x80.txt"));
  EXPECT_EQ(qv::fileSize(dir / "\xDC" "bersicht\\\xC4\x80.txt"), 1);

  std::vector<qv::FolderItem> items;
  ASSERT_TRUE(qv::listFolder(dir / "\xDC" "bersicht\\", items));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "\xC4\x80.txt");
  EXPECT_EQ(items[0].hostName, "Ä€.txt");
  EXPECT_TRUE(items[0].nameConverts);
  EXPECT_TRUE(qv::removeFile(dir / "\xDC" "bersicht\\" + items[0].name));
  EXPECT_TRUE(qv::removeFolder(dir / "\xDC" "bersicht"));
}

TEST(FileHostNames, PathsNoHostNameCanHoldNameNothing) {
  qvtest::ScratchFolder dir;
  // 0x81 is unassigned in the code page; a NUL would cut the host path short.
  for (const std::string& name : {std::string("a\x81"), std::string("b\0c", 3)}) {
    EXPECT_FALSE(qv::writeWholeFile(dir / name, "x", 1));
    EXPECT_FALSE(qv::createFolder(dir / name));
    EXPECT_FALSE(qv::fileExists(dir / name));
  }
  ASSERT_TRUE(qv::writeWholeFile(dir / "b", "x", 1));
  EXPECT_FALSE(qv::fileExists(dir / std::string("b\0c", 3)));
  EXPECT_FALSE(qv::removeFile(dir / std::string("b\0c", 3)));
  std::vector<qv::FolderItem> items;
  ASSERT_TRUE(qv::listFolder(dir.path(), items));
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "b");
}

TEST(FileHostNames, NamesWithoutAnsiFormAreFlaggedAndLeftAlone) {
  qvtest::ScratchFolder dir;
  HostFile japanese(hostPathOf(dir.path(), "日本.txt"));
  HostFile latin1(hostPathOf(dir.path(), "\xFC.bin"));  // a byte that is no UTF-8
  ASSERT_TRUE(japanese.made() && latin1.made());
  ASSERT_TRUE(qv::writeWholeFile(dir / "??.txt", "x", 1));  // what a mangled name would hit

  std::vector<qv::FolderItem> items;
  ASSERT_TRUE(qv::listFolder(dir.path(), items));
  ASSERT_EQ(items.size(), 3u);
  int flagged = 0;
  for (const qv::FolderItem& item : items) {
    if (item.nameConverts) {
      EXPECT_EQ(item.name, "??.txt");
      continue;
    }
    ++flagged;
    EXPECT_EQ(item.name, item.hostName == "日本.txt" ? "??.txt" : "?.bin") << item.hostName;
  }
  EXPECT_EQ(flagged, 2);

  // Removal takes what it can reach and never the item a stand-in would name.
  EXPECT_FALSE(qv::removeFolderTree(dir.path()));
  EXPECT_FALSE(qv::fileExists(dir / "??.txt"));
  EXPECT_TRUE(hostFileExists(hostPathOf(dir.path(), "日本.txt")));
  EXPECT_TRUE(hostFileExists(hostPathOf(dir.path(), "\xFC.bin")));
}

}  // namespace
#endif
