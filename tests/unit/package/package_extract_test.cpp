// Extracting packages: folders, files raw and packed, empty files, times, the
// kept-extension rule, unsafe names, short package files and the progress procedure.
#include <gtest/gtest.h>

#include "package/extract.h"
#include "runtime/bytes.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "unit/package/package_test_util.h"

namespace {

using namespace qvtest;
using qv::EntryFailure;
using qv::Package;

// Records what extraction reports; optionally lets a retry succeed.
class RecordingHooks : public qv::ExtractionHooks {
 public:
  bool offerAdministratorLogon() override {
    ++logons;
    if (onLogon) onLogon();
    return retryAfterLogon;
  }
  void onEntryFailed(const qv::PackageEntry& entry, EntryFailure failure) override {
    failures.push_back({entry.name, failure});
  }
  void onEntryHandled(const qv::PackageEntry& entry) override { handled.push_back(entry); }

  int logons = 0;
  bool retryAfterLogon = false;
  std::function<void()> onLogon;
  std::vector<std::pair<std::string, EntryFailure>> failures;
  std::vector<qv::PackageEntry> handled;
};

bool openBytes(Package& package, const std::string& path, const Bytes& bytes) {
  return writeBytes(path, bytes) && qv::openPackage(package, path);
}

std::vector<std::string> namesOf(const std::vector<qv::PackageEntry>& entries) {
  std::vector<std::string> names;
  for (const qv::PackageEntry& e : entries) names.push_back(e.name);
  return names;
}

void expectFile(const std::string& path, const Bytes& contents, const TestEntry& entry) {
  SCOPED_TRACE(path);
  EXPECT_TRUE(qv::fileExists(path));
  EXPECT_EQ(readBytes(path), contents);
  qv::FileTime creation, lastWrite;
  ASSERT_TRUE(qv::readFileTimes(path, creation, lastWrite));
  EXPECT_EQ(lastWrite, entry.lastWrite);
  if (keepsCreationTimes()) {
    EXPECT_EQ(creation, entry.creation);
  }
}

TEST(PackageExtract, WritesFoldersFilesAndTimes) {
  ScratchFolder dir;
  Bytes binary = randomBytes(70000, 3);
  Bytes text = textBytes(5000, 4);
  Bytes jcRaw = bytesOf("JC looks like a block header but is stored raw");
  std::vector<TestEntry> entries = {folderEntry("docs\\"),
                                    fileEntry("docs\\readme.txt", text),
                                    fileEntry("empty.dat", {}),
                                    fileEntry("bin\\deep\\tool.exe", binary, true),
                                    fileEntry("jc.bin", jcRaw),
                                    folderEntry("emptyfolder\\"),
                                    folderEntry("nested\\empty\\"),
                                    fileEntry("my.folder\\plain", text, true)};
  entries[2].lastWrite = timeAt(13200000000ULL);
  entries[4].lastWrite = timeAt(13000000000ULL);  // an old time, not the time of extraction
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", makePackage(entries).bytes));
  RecordingHooks hooks;
  ASSERT_TRUE(qv::extractPackage(package, dir / "out", "", hooks));  // no trailing backslash
  EXPECT_TRUE(hooks.failures.empty());

  std::string out = dir / "out\\";
  EXPECT_TRUE(qv::folderExists(out + "docs"));
  EXPECT_TRUE(qv::folderExists(out + "emptyfolder"));
  EXPECT_TRUE(qv::folderExists(out + "nested\\empty"));
  expectFile(out + "docs\\readme.txt", text, entries[1]);
  expectFile(out + "empty.dat", {}, entries[2]);
  expectFile(out + "bin\\deep\\tool.exe", binary, entries[3]);
  expectFile(out + "jc.bin", jcRaw, entries[4]);
  expectFile(out + "my.folder\\plain", text, entries[7]);
  std::vector<qv::FolderItem> items;
  ASSERT_TRUE(qv::listFolder(out, items));
  EXPECT_EQ(items.size(), 7u);  // bin docs empty.dat emptyfolder jc.bin my.folder nested
}

TEST(PackageExtract, ReplacesExistingFilesAndEmptiesThem) {
  ScratchFolder dir;
  ASSERT_TRUE(qv::createFolder(dir / "out"));
  ASSERT_TRUE(qv::writeWholeFile(dir / "out\\a.txt", "old contents, longer", 20));
  ASSERT_TRUE(qv::writeWholeFile(dir / "out\\empty", "not empty yet", 13));
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck",
                        makePackage({fileEntry("a.txt", bytesOf("new")), fileEntry("empty", {})}).bytes));
  EXPECT_TRUE(qv::extractPackage(package, dir / "out\\", ""));
  EXPECT_EQ(readText(dir / "out\\a.txt"), "new");
  EXPECT_EQ(qv::fileSize(dir / "out\\empty"), 0);
}

TEST(PackageExtract, KeptExtensionsLeaveExistingFilesAlone) {
  struct Case {
    const char* list;
    bool keepsIni, keepsCfg, keepsUpperIni, keepsNoExtension;
  };
  const Case cases[] = {
      {"ini|", true, false, false, false},  {"ini|cfg|", true, true, false, false},
      {"ini|cfg", true, false, false, false}, {"ini", true, false, false, false},
      {"", false, false, false, false},    {"INI|", false, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    ScratchFolder dir;
    std::string out = dir / "out\\";
    ASSERT_TRUE(qv::createFolder(out));
    ASSERT_TRUE(qv::createFolder(out + "conf.d"));
    for (const char* name : {"app.ini", "app.cfg", "BIG.INI", "conf.d\\readme", "empty.ini"})
      ASSERT_TRUE(qv::writeWholeFile(out + name, "user", 4));
    std::vector<TestEntry> entries = {fileEntry("app.ini", bytesOf("new ini")),
                                      fileEntry("app.cfg", bytesOf("new cfg"), true),
                                      fileEntry("BIG.INI", bytesOf("new INI")),
                                      fileEntry("conf.d\\readme", bytesOf("new readme")),
                                      fileEntry("empty.ini", {}),
                                      fileEntry("fresh.ini", bytesOf("fresh")),  // kept but not there yet
                                      fileEntry("last.txt", bytesOf("last"))};  // data still in step
    Package package;
    ASSERT_TRUE(openBytes(package, dir / "p.pck", makePackage(entries).bytes));
    EXPECT_TRUE(qv::extractPackage(package, out, c.list));
    EXPECT_EQ(readText(out + "app.ini"), c.keepsIni ? "user" : "new ini");
    EXPECT_EQ(readText(out + "app.cfg"), c.keepsCfg ? "user" : "new cfg");
    EXPECT_EQ(readText(out + "BIG.INI"), c.keepsUpperIni ? "user" : "new INI");
    EXPECT_EQ(readText(out + "conf.d\\readme"), c.keepsNoExtension ? "user" : "new readme");
    EXPECT_EQ(readText(out + "empty.ini"), c.keepsIni ? "user" : "");
    EXPECT_EQ(readText(out + "fresh.ini"), "fresh");
    EXPECT_EQ(readText(out + "last.txt"), "last");
  }
}

TEST(PackageExtract, UnsafeNamesAreConsumedButNotWritten) {
  ScratchFolder dir;
  std::string out = dir / "a\\b\\out\\";
  qv::ensureFolderChain(out);
  const char* unsafe[] = {"..\\evil.txt", "..\\..\\evil2.txt", "x\\..\\..\\evil3.txt", "../evil4.txt",
                          "\\evil5.txt",  "/evil6.txt",        "C:evil7.txt",         "ok.txt:stream",
                          "..\\",          "",                   ".. \\evil8.txt",      "x/../../evil9.txt"};
  std::vector<TestEntry> entries;
  for (const char* name : unsafe) {
    bool folder = std::string(name) == "..\\";
    entries.push_back(folder ? folderEntry(name) : fileEntry(name, bytesOf(std::string("bad ") + name), true));
    entries.push_back(fileEntry("after" + std::to_string(entries.size()) + ".txt", bytesOf("good")));
  }
  entries.push_back(fileEntry("..\\empty.txt", {}));
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", makePackage(entries).bytes));
  RecordingHooks hooks;
  EXPECT_FALSE(qv::extractPackage(package, out, "", hooks));

  size_t unsafeCount = sizeof(unsafe) / sizeof(unsafe[0]) + 1;
  ASSERT_EQ(hooks.failures.size(), unsafeCount);
  for (const auto& f : hooks.failures) EXPECT_EQ(f.second, EntryFailure::UnsafeName) << f.first;
  // Every safe entry behind an unsafe one got its own data.
  for (size_t i = 1; i < entries.size() - 1; i += 2) EXPECT_EQ(readText(out + entries[i].name), "good");
  // Nothing appeared beside the target or above it.
  auto namesIn = [](const std::string& folder) {
    std::vector<qv::FolderItem> found;
    qv::listFolder(folder, found);
    std::vector<std::string> names;
    for (const auto& item : found) names.push_back(item.name);
    return names;
  };
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a", "p.pck"}));
  EXPECT_EQ(namesIn(dir / "a\\"), std::vector<std::string>{"b"});
  EXPECT_EQ(namesIn(dir / "a\\b\\"), std::vector<std::string>{"out"});
  std::vector<qv::FolderItem> items;
  ASSERT_TRUE(qv::listFolder(out, items));
  EXPECT_EQ(items.size(), unsafeCount - 1);
}

TEST(PackageExtract, DamagedBlockNeverTouchesTheFileItWasToReplace) {
  ScratchFolder dir;
  Bytes data = textBytes(3000, 9);
  PackageBytes p = makePackage({fileEntry("bad.txt", data, true), fileEntry("new.txt", data, true),
                                fileEntry("next.txt", bytesOf("next"))});
  p.bytes[p.entries[0].storedSize / 2] ^= 0x10;                             // inside the first block
  p.bytes[p.entries[0].storedSize + p.entries[1].storedSize / 2] ^= 0x10;  // inside the second
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", p.bytes));
  ASSERT_TRUE(qv::ensureFolderPath(dir / "out"));
  ASSERT_TRUE(writeBytes(dir / "out\\bad.txt", bytesOf("installed before")));
  qv::FileTime creation, before;
  ASSERT_TRUE(qv::readFileTimes(dir / "out\\bad.txt", creation, before));
  RecordingHooks hooks;
  EXPECT_FALSE(qv::extractPackage(package, dir / "out", "", hooks));
  ASSERT_EQ(hooks.failures.size(), 2u);
  EXPECT_EQ(hooks.failures[0], (std::pair<std::string, EntryFailure>{"bad.txt", EntryFailure::BlockDamaged}));
  EXPECT_EQ(hooks.failures[1], (std::pair<std::string, EntryFailure>{"new.txt", EntryFailure::BlockDamaged}));
  // The earlier file is exactly as it was, times included; nothing is made for the other.
  EXPECT_EQ(readText(dir / "out\\bad.txt"), "installed before");
  qv::FileTime after;
  ASSERT_TRUE(qv::readFileTimes(dir / "out\\bad.txt", creation, after));
  EXPECT_EQ(after, before);
  EXPECT_FALSE(qv::fileExists(dir / "out\\new.txt"));
  EXPECT_EQ(readText(dir / "out\\next.txt"), "next");
}

TEST(PackageExtract, AnEntryTooLargeForMemoryLeavesTheExistingFile) {
  // A block that claims 2 GiB unpacked (a damaged directory) cannot be held; the file
  // it names stays as it was and the next entry still gets its own data.
  ScratchFolder dir;
  PackageBytes p = makePackage({fileEntry("huge.bin", textBytes(3000, 2), true), fileEntry("next.txt", bytesOf("next"))});
  p.entries[0].size = INT32_MAX - 8;
  Bytes bytes = rebuildDirectory(p);
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", bytes));
  ASSERT_TRUE(qv::ensureFolderPath(dir / "out"));
  ASSERT_TRUE(writeBytes(dir / "out\\huge.bin", bytesOf("kept")));
  RecordingHooks hooks;
  EXPECT_FALSE(qv::extractPackage(package, dir / "out", "", hooks));
  ASSERT_FALSE(hooks.failures.empty());
  EXPECT_TRUE(hooks.failures[0].second == EntryFailure::NoMemory || hooks.failures[0].second == EntryFailure::BlockDamaged);
  EXPECT_EQ(readText(dir / "out\\huge.bin"), "kept");
  EXPECT_EQ(readText(dir / "out\\next.txt"), "next");
}

TEST(PackageExtract, ShortPackageFileWritesNothingUnread) {
  ScratchFolder dir;
  Bytes big = randomBytes(5000, 5);
  PackageBytes p = makePackage({fileEntry("first.bin", bytesOf("first")), fileEntry("big.bin", big),
                                fileEntry("after.bin", bytesOf("after")), fileEntry("empty", {}),
                                folderEntry("folder\\")});
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", p.bytes));
  // The file shrinks after it was opened: the data of big.bin now runs out.
  Bytes cut(p.bytes.begin(), p.bytes.begin() + 5 + 2000);
  ASSERT_TRUE(writeBytes(dir / "p.pck", cut));
  RecordingHooks hooks;
  EXPECT_FALSE(qv::extractPackage(package, dir / "out", "", hooks));
  EXPECT_EQ(readText(dir / "out\\first.bin"), "first");
  EXPECT_FALSE(qv::fileExists(dir / "out\\big.bin"));
  EXPECT_FALSE(qv::fileExists(dir / "out\\after.bin"));
  EXPECT_TRUE(qv::fileExists(dir / "out\\empty"));  // entries without data still come out
  EXPECT_TRUE(qv::folderExists(dir / "out\\folder"));
  ASSERT_EQ(hooks.failures.size(), 2u);
  EXPECT_EQ(hooks.failures[0].second, EntryFailure::DataRunsOut);
}

TEST(PackageExtract, DataNeverRunsIntoTheDirectory) {
  // A directory whose stored sizes claim more than the data area holds: the raw
  // entry would otherwise be filled with the directory's and trailer's bytes.
  ScratchFolder dir;
  std::vector<qv::PackageEntry> entries(1);
  entries[0].name = "greedy.bin";
  entries[0].size = entries[0].storedSize = 40;
  Bytes bytes = bytesOf("only ten b");
  Bytes directory = qv::serializePackageDirectory(entries);
  bytes.insert(bytes.end(), directory.begin(), directory.end());
  for (uint32_t v : {uint32_t(directory.size()), uint32_t(directory.size()), 0u, qv::kPackageMagic})
    qv::appendLittleEndian32(bytes, v);
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", bytes));
  EXPECT_FALSE(qv::extractPackage(package, dir / "out", ""));
  EXPECT_FALSE(qv::fileExists(dir / "out\\greedy.bin"));
}

TEST(PackageExtract, NothingComesFromAPackageThatDidNotOpenOrIsGone) {
  ScratchFolder dir;
  Package package;
  ASSERT_TRUE(writeBytes(dir / "junk.pck", bytesOf("no package at all, just text")));
  EXPECT_FALSE(qv::openPackage(package, dir / "junk.pck"));
  EXPECT_FALSE(qv::extractPackage(package, dir / "out", ""));
  EXPECT_FALSE(qv::folderExists(dir / "out"));

  ASSERT_TRUE(openBytes(package, dir / "p.pck", makePackage({fileEntry("a", bytesOf("a"))}).bytes));
  ASSERT_TRUE(qv::removeFile(dir / "p.pck"));
  EXPECT_FALSE(qv::extractPackage(package, dir / "out", ""));
  EXPECT_FALSE(qv::fileExists(dir / "out\\a"));
}

TEST(PackageExtract, FileThatCannotBeCreatedOffersTheLogonAndConsumesItsData) {
  ScratchFolder dir;
  std::string out = dir / "out\\";
  ASSERT_TRUE(qv::createFolder(out));
  ASSERT_TRUE(qv::createFolder(out + "taken"));  // a folder where a file should go
  std::vector<TestEntry> entries = {fileEntry("taken", bytesOf("blocked"), true), fileEntry("next", bytesOf("n"))};
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", makePackage(entries).bytes));
  RecordingHooks hooks;
  EXPECT_FALSE(qv::extractPackage(package, out, "", hooks));
  EXPECT_EQ(hooks.logons, 1);
  ASSERT_EQ(hooks.failures.size(), 1u);
  EXPECT_EQ(hooks.failures[0].second, EntryFailure::CannotCreate);
  EXPECT_EQ(namesOf(hooks.handled), (std::vector<std::string>{"taken", "next"}));  // the failed file too
  EXPECT_EQ(readText(out + "next"), "n");

  // A logon that clears the way makes the second try succeed.
  RecordingHooks clearing;
  clearing.retryAfterLogon = true;
  clearing.onLogon = [&] { qv::removeFolder(out + "taken"); };
  EXPECT_TRUE(qv::extractPackage(package, out, "", clearing));
  EXPECT_EQ(clearing.logons, 1);
  EXPECT_EQ(readText(out + "taken"), "blocked");
}

TEST(PackageExtract, ProgressCountsWrittenFilesOnly) {
  ScratchFolder dir;
  std::string out = dir / "out\\";
  ASSERT_TRUE(qv::createFolder(out));
  ASSERT_TRUE(qv::writeWholeFile(out + "kept.ini", "k", 1));
  std::vector<TestEntry> entries = {folderEntry("f\\"), fileEntry("a.bin", Bytes(100, 1)),
                                    fileEntry("empty", {}), fileEntry("kept.ini", Bytes(50, 2)),
                                    fileEntry("f\\b.bin", Bytes(30, 3), true)};
  Package package;
  ASSERT_TRUE(openBytes(package, dir / "p.pck", makePackage(entries).bytes));
  EXPECT_EQ(package.totalSize(), 180);
  RecordingHooks hooks;
  EXPECT_TRUE(qv::extractPackage(package, out, "ini|", hooks));
  // Stops short of the total: the kept and the empty file are not counted.
  EXPECT_EQ(namesOf(hooks.handled), (std::vector<std::string>{"a.bin", "f\\b.bin"}));
}

}  // namespace
