// The file layer, natively and (in the win64 build) against the Win32 file functions.
#include "runtime/file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/text.h"

#include "support/scratch_folder.h"
#include "support/test_data.h"

namespace {

using qv::File;

TEST(FileLayer, WritesReadsSeeksAndCuts) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "data.bin";
  {
    File f;
    ASSERT_TRUE(f.open(path, File::Mode::Replace));
    EXPECT_EQ(f.write("hello world", 11), 11u);
  }
  EXPECT_TRUE(qv::fileExists(path));
  EXPECT_FALSE(qv::folderExists(path));
  EXPECT_EQ(qv::fileSize(path), 11);

  File f;
  ASSERT_TRUE(f.open(path, File::Mode::ReadWriteExisting));
  char buf[16] = {};
  ASSERT_TRUE(f.seek(6));
  EXPECT_EQ(f.read(buf, sizeof(buf)), 5u);  // short read at the end
  EXPECT_STREQ(buf, "world");
  ASSERT_TRUE(f.seek(0));
  EXPECT_EQ(f.write("HELLO", 5), 5u);
  EXPECT_TRUE(f.truncateHere());
  f.close();
  EXPECT_EQ(qvtest::readText(path), "HELLO");
}

TEST(FileLayer, OpenModesRespectExistence) {
  qvtest::ScratchFolder dir;
  File f;
  EXPECT_FALSE(f.open(dir / "missing", File::Mode::Read));
  EXPECT_FALSE(f.open(dir / "missing", File::Mode::ReadWriteExisting));
  EXPECT_FALSE(qv::fileExists(dir / "missing"));
  EXPECT_EQ(qv::fileSize(dir / "missing"), -1);

  ASSERT_TRUE(qv::writeWholeFile(dir / "kept", "abc", 3));
  ASSERT_TRUE(f.open(dir / "kept", File::Mode::ReadWriteAlways));  // not emptied
  EXPECT_EQ(f.size(), 3);
  f.close();
  ASSERT_TRUE(f.open(dir / "kept", File::Mode::Replace));  // emptied
  EXPECT_EQ(f.size(), 0);
  f.close();
  EXPECT_FALSE(f.open(dir.path(), File::Mode::Read));  // a folder is no file
}

TEST(FileLayer, FoldersAndListing) {
  qvtest::ScratchFolder dir;
  EXPECT_TRUE(qv::folderExists(dir.path()));
  ASSERT_TRUE(qv::createFolder(dir / "sub\\"));
  EXPECT_FALSE(qv::createFolder(dir / "sub"));  // already there
  ASSERT_TRUE(qv::writeWholeFile(dir / "sub\\b.txt", "b", 1));
  ASSERT_TRUE(qv::writeWholeFile(dir / "a.txt", "a", 1));
  std::vector<qv::FolderItem> items;
  ASSERT_TRUE(qv::listFolder(dir.path(), items));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, "a.txt");
  EXPECT_FALSE(items[0].isFolder);
  EXPECT_EQ(items[1].name, "sub");
  EXPECT_TRUE(items[1].isFolder);
  EXPECT_FALSE(qv::removeFolder(dir / "sub\\"));  // not empty
  EXPECT_TRUE(qv::removeFile(dir / "sub\\b.txt"));
  EXPECT_TRUE(qv::removeFolder(dir / "sub\\"));
  EXPECT_FALSE(qv::listFolder(dir / "sub\\", items));
}

// Sorted lists of folder items keep each item whole: the swap moves every field.
TEST(FileLayer, FolderItemsSortWhole) {
  auto item = [](const char* name, bool folder, bool link, bool converts) {
    qv::FolderItem i;
    i.name = name;
    i.hostName = std::string(name) + "-host";
    i.isFolder = folder;
    i.isLink = link;
    i.nameConverts = converts;
    return i;
  };
  std::vector<qv::FolderItem> items = {item("c", true, false, true), item("a", false, true, false),
                                       item("b", false, false, true)};
  qv::sortShortList(items, [](const qv::FolderItem& x, const qv::FolderItem& y) { return x.name < y.name; });
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].name, "a");
  EXPECT_EQ(items[0].hostName, "a-host");
  EXPECT_TRUE(items[0].isLink);
  EXPECT_FALSE(items[0].nameConverts);
  EXPECT_EQ(items[2].name, "c");
  EXPECT_EQ(items[2].hostName, "c-host");
  EXPECT_TRUE(items[2].isFolder);
  EXPECT_FALSE(items[1].isFolder || items[1].isLink);
}

TEST(FileLayer, TimesSetAfterWritingAreFinal) {
  qvtest::ScratchFolder dir;
  std::string path = dir / "timed.bin";
  // 2001-02-03 04:05:06 UTC and 2010-01-01 00:00:00 UTC as FILETIMEs.
  const qv::FileTime created = qv::FileTime::fromValue(126257655060000000ULL);
  const qv::FileTime written = qv::FileTime::fromValue(129067776000000000ULL);
  {
    File f;
    ASSERT_TRUE(f.open(path, File::Mode::Replace));
    auto data = qvtest::randomBytes(100000, 1);
    ASSERT_EQ(f.write(data.data(), data.size()), data.size());
    ASSERT_TRUE(f.setTimes(created, written));
  }
  qv::FileTime c, w;
  ASSERT_TRUE(qv::readFileTimes(path, c, w));
  EXPECT_EQ(w.value(), written.value());
  // Linux file systems keep no settable creation time, natively or under Wine.
  if (qvtest::keepsCreationTimes()) {
    EXPECT_EQ(c.value(), created.value());
  }
}

}  // namespace
