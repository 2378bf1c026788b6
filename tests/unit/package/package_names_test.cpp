// Entry names as extraction sees them: extensions, kept-extension lists, folder
// parts, the safety rule, and folder creation.
#include <gtest/gtest.h>

#include "package/extract_names.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"

namespace {

using Strings = std::vector<std::string>;

TEST(PackageNames, ExtensionComesAfterTheLastDotOfTheFileName) {
  EXPECT_EQ(qv::extensionOf("setup.ini"), "ini");
  EXPECT_EQ(qv::extensionOf("archive.tar.gz"), "gz");
  EXPECT_EQ(qv::extensionOf("Setup.INI"), "INI");
  EXPECT_EQ(qv::extensionOf("my.folder\\readme"), "");  // the dot is in a folder
  EXPECT_EQ(qv::extensionOf("my.folder/readme"), "");
  EXPECT_EQ(qv::extensionOf("conf\\app.cfg"), "cfg");
  EXPECT_EQ(qv::extensionOf("noext"), "");
  EXPECT_EQ(qv::extensionOf("trailing."), "");
  EXPECT_EQ(qv::extensionOf(".profile"), "profile");
}

TEST(PackageNames, KeptExtensionsCountTheBars) {
  EXPECT_EQ(qv::parseKeptExtensions(""), Strings{});
  EXPECT_EQ(qv::parseKeptExtensions("ini|"), Strings{"ini"});
  EXPECT_EQ(qv::parseKeptExtensions("ini|cfg|"), (Strings{"ini", "cfg"}));
  EXPECT_EQ(qv::parseKeptExtensions("ini|cfg"), Strings{"ini"});  // one bar: one extension
  EXPECT_EQ(qv::parseKeptExtensions("ini"), Strings{"ini"});      // no bar: the one value
  EXPECT_EQ(qv::parseKeptExtensions("ini||"), (Strings{"ini", ""}));
  EXPECT_EQ(qv::parseKeptExtensions("|"), Strings{""});
  EXPECT_EQ(qv::parseKeptExtensions("a|b|c|d"), (Strings{"a", "b", "c"}));

  Strings kept = qv::parseKeptExtensions("ini|cfg|");
  EXPECT_TRUE(qv::isKeptExtension("ini", kept));
  EXPECT_TRUE(qv::isKeptExtension("cfg", kept));
  EXPECT_FALSE(qv::isKeptExtension("INI", kept));  // exact comparison
  EXPECT_FALSE(qv::isKeptExtension("in", kept));
  EXPECT_FALSE(qv::isKeptExtension("", kept));
}

TEST(PackageNames, FolderPartAndTrailingBackslash) {
  EXPECT_EQ(qv::folderPartOf("a\\b\\c.txt"), "a\\b\\");
  EXPECT_EQ(qv::folderPartOf("a/b.txt"), "a/");
  EXPECT_EQ(qv::folderPartOf("c.txt"), "");
  EXPECT_EQ(qv::folderPartOf("dir\\"), "dir\\");
  EXPECT_EQ(qv::withTrailingBackslash(""), "\\");
  EXPECT_EQ(qv::withTrailingBackslash("C:\\Tools"), "C:\\Tools\\");
  EXPECT_EQ(qv::withTrailingBackslash("C:\\Tools\\"), "C:\\Tools\\");
}

TEST(PackageNames, OnlyNamesThatStayBelowTheTargetAreSafe) {
  for (const char* name : {"file.txt", "a\\b\\c.txt", "folder\\", "a/b", "a..b", "..a", "a..", "a\\.\\b",
                           ".hidden", "x\\...hidden", "name with blanks.txt"}) {
    EXPECT_TRUE(qv::isSafeEntryName(name)) << name;
  }
  for (const char* name : {"", "\\abs", "/abs", "\\\\server\\share\\x", "C:\\x", "C:x", "file.txt:stream",
                           "a:b\\c", "..", "..\\evil", "../evil", "a\\..\\..\\evil", "a/../b", "a\\..",
                           "a\\..\\", "a\\.. \\b", "a\\...\\b", ". .\\x", "..\\"}) {
    EXPECT_FALSE(qv::isSafeEntryName(name)) << name;
  }
}

TEST(PackageNames, FolderChainCreatesEveryLevelEndingWithASeparator) {
  qvtest::ScratchFolder dir;
  qv::ensureFolderChain(dir / "a\\b\\c\\");
  EXPECT_TRUE(qv::folderExists(dir / "a\\b\\c"));
  qv::ensureFolderChain(dir / "x\\y\\last");  // the last component has no separator after it
  EXPECT_TRUE(qv::folderExists(dir / "x\\y"));
  EXPECT_FALSE(qv::folderExists(dir / "x\\y\\last"));
  qv::ensureFolderChain(dir / "m/n\\");
  EXPECT_TRUE(qv::folderExists(dir / "m\\n"));
  qv::ensureFolderChain(dir / "a\\b\\c\\");  // existing: nothing happens
  EXPECT_TRUE(qv::folderExists(dir / "a\\b\\c"));

  // A file in the way is not reported; the folders below it simply do not appear.
  ASSERT_TRUE(qv::writeWholeFile(dir / "blocked", "x", 1));
  qv::ensureFolderChain(dir / "blocked\\inner\\");
  EXPECT_FALSE(qv::folderExists(dir / "blocked\\inner"));

  EXPECT_TRUE(qv::ensureFolderPath(dir / "p\\q\\r"));  // created whole without a backslash
  EXPECT_TRUE(qv::folderExists(dir / "p\\q\\r"));
  EXPECT_TRUE(qv::ensureFolderPath(dir / "p\\q\\r\\"));
  EXPECT_FALSE(qv::ensureFolderPath(dir / "blocked\\inner"));
}

}  // namespace
