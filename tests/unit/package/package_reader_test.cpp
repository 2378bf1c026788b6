// Opening packages: the trailer, raw and block directories, and files that are no
// valid package.
#include <gtest/gtest.h>

#include "package/package_reader.h"
#include "runtime/bytes.h"
#include "support/scratch_folder.h"
#include "unit/package/package_test_util.h"

namespace {

using qv::Package;
using qv::PackageOpenError;
using namespace qvtest;

std::vector<TestEntry> sampleEntries() {
  return {folderEntry("docs\\"), fileEntry("docs\\readme.txt", bytesOf("read me\r\n")),
          fileEntry("empty.dat", {}), fileEntry("bin\\tool.exe", bytesOf("MZ tool bytes"), true),
          folderEntry("emptyfolder\\")};
}

void expectSameEntries(const std::vector<qv::PackageEntry>& got, const std::vector<qv::PackageEntry>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(want[i].name);
    EXPECT_EQ(got[i].name, want[i].name);
    EXPECT_EQ(got[i].kind, want[i].kind);
    EXPECT_EQ(got[i].size, want[i].size);
    EXPECT_EQ(got[i].storedSize, want[i].storedSize);
    EXPECT_EQ(got[i].offset, want[i].offset);
    EXPECT_EQ(got[i].creation, want[i].creation);
    EXPECT_EQ(got[i].lastWrite, want[i].lastWrite);
  }
}

TEST(PackageReader, ReadsRawAndBlockDirectories) {
  ScratchFolder dir;
  for (bool blockDirectory : {false, true}) {
    SCOPED_TRACE(blockDirectory ? "block directory" : "raw directory");
    PackageBytes p = makePackage(sampleEntries(), {}, blockDirectory);
    ASSERT_TRUE(writeBytes(dir / "p.pck", p.bytes));
    Package package;
    ASSERT_TRUE(qv::openPackage(package, dir / "p.pck"));
    EXPECT_TRUE(package.isLoaded());
    EXPECT_EQ(package.path(), dir / "p.pck");
    EXPECT_EQ(package.dataStart(), 0);
    EXPECT_EQ(package.directoryStoredSize() == package.directorySize(), !blockDirectory);
    expectSameEntries(package.entries(), p.entries);
    EXPECT_EQ(package.totalSize(), 9 + 13);  // folders and the empty file add nothing
    EXPECT_TRUE(package.entries()[0].isFolder());
    EXPECT_EQ(package.entries()[0].name.back(), '\\');
    EXPECT_FALSE(package.entries()[3].isStoredRaw());
    EXPECT_FALSE(package.entries()[2].consumesData());
  }
}

TEST(PackageReader, EmptyPackageOpens) {
  ScratchFolder dir;
  ASSERT_TRUE(writeBytes(dir / "p.pck", makePackage({}).bytes));
  Package package;
  EXPECT_TRUE(qv::openPackage(package, dir / "p.pck"));
  EXPECT_TRUE(package.entries().empty());
  EXPECT_EQ(package.totalSize(), 0);
  EXPECT_EQ(package.directorySize(), 4);
}

TEST(PackageReader, AppendedPackageStartsAfterTheExecutable) {
  ScratchFolder dir;
  Bytes executable = bytesOf("MZ");
  executable.resize(4096, 0x90);
  PackageBytes p = makePackage(sampleEntries(), executable, true);
  ASSERT_TRUE(writeBytes(dir / "setup.exe", p.bytes));
  Package package;
  ASSERT_TRUE(qv::openPackage(package, dir / "setup.exe"));
  EXPECT_EQ(package.dataStart(), 4096);
  EXPECT_EQ(package.entries()[1].offset, 4096);
  expectSameEntries(package.entries(), p.entries);
  EXPECT_EQ(package.dataEnd(), int64_t(p.bytes.size()) - 16 - package.directoryStoredSize());
}

TEST(PackageReader, AFailedOpenEmptiesTheEntriesOfThePackageBefore) {
  ScratchFolder dir;
  ASSERT_TRUE(writeBytes(dir / "p.pck", makePackage(sampleEntries()).bytes));
  Package package;
  ASSERT_TRUE(qv::openPackage(package, dir / "p.pck"));
  EXPECT_EQ(package.entries().size(), 5u);
  // A failed open empties the list of the package before.
  EXPECT_FALSE(qv::openPackage(package, dir / "missing.pck"));
  EXPECT_TRUE(package.entries().empty());
  EXPECT_EQ(package.totalSize(), 0);
  EXPECT_FALSE(package.isLoaded());
}

struct Damage {
  const char* what;
  Bytes bytes;
  PackageOpenError error;
};

Bytes withField(Bytes b, size_t fromEnd, uint32_t v) {
  patchFromEnd(b, fromEnd, v);
  return b;
}

// A raw directory holding the given bytes, with a trailer that believes them.
Bytes rawDirectoryPackage(const Bytes& directory) {
  Bytes b = directory;
  for (uint32_t v : {uint32_t(directory.size()), uint32_t(directory.size()), 0u, qv::kPackageMagic})
    qv::appendLittleEndian32(b, v);
  return b;
}

TEST(PackageReader, RefusesDamagedPackagesWithoutPartialEntries) {
  ScratchFolder dir;
  Bytes good = makePackage(sampleEntries(), bytesOf("MZ-prefix")).bytes;
  Bytes goodBlock = makePackage(sampleEntries(), {}, true).bytes;
  Bytes directory = qv::serializePackageDirectory(makePackage(sampleEntries()).entries);
  Bytes flippedBlock = goodBlock;
  size_t blockSize = qv::loadLittleEndian32(&goodBlock[goodBlock.size() - 12]);
  flippedBlock[goodBlock.size() - 16 - blockSize / 2] ^= 0x40;  // inside the directory block
  Bytes noNul = {1, 0, 0, 0};
  noNul.resize(4 + 40, 'a');  // room for one entry, but its name never ends
  Bytes shortFields = noNul;
  shortFields.push_back(0);
  shortFields.resize(shortFields.size() + 20, 0);  // only 5 of the 8 fields
  Bytes negativeSize = directory;
  negativeSize[4 + 6 + 4 + 3] = 0x80;  // high byte of the first entry's size

  const Damage cases[] = {
      {"empty file", {}, PackageOpenError::NoFile},
      {"15 bytes", Bytes(15, 'P'), PackageOpenError::TooShort},
      {"no magic", withField(good, 4, 0x6B636151), PackageOpenError::NoMagic},
      {"only a trailer", rawDirectoryPackage({}), PackageOpenError::TrailerOutOfRange},
      {"stored size past the file start", withField(good, 12, uint32_t(good.size())),
       PackageOpenError::TrailerOutOfRange},
      {"negative stored size", withField(good, 12, 0xFFFFFFF0u), PackageOpenError::TrailerOutOfRange},
      {"data start beyond the directory", withField(good, 8, uint32_t(good.size() - 20)),
       PackageOpenError::TrailerOutOfRange},
      {"negative data start", withField(good, 8, 0x80000000u), PackageOpenError::TrailerOutOfRange},
      {"absurd block directory size", withField(goodBlock, 16, 0x7FFFFFF0u), PackageOpenError::DirectoryTooLarge},
      {"directory size of 3", withField(goodBlock, 16, 3), PackageOpenError::DirectoryTooLarge},
      {"block directory a thousand times its stored size", withField(goodBlock, 16, 1000000),
       PackageOpenError::DirectoryTooLarge},
      {"block directory of another size", withField(goodBlock, 16, uint32_t(directory.size() + 1)),
       PackageOpenError::DirectoryDamaged},
      {"block directory with a bad checksum", flippedBlock, PackageOpenError::DirectoryDamaged},
      {"stored size differs but no block", withField(good, 16, uint32_t(directory.size() + 1)),
       PackageOpenError::DirectoryDamaged},
      {"entry count past the directory", rawDirectoryPackage({200, 0, 0, 0}), PackageOpenError::DirectoryMalformed},
      {"negative entry count", rawDirectoryPackage({0, 0, 0, 0x80}), PackageOpenError::DirectoryMalformed},
      {"name runs past the directory", rawDirectoryPackage(noNul), PackageOpenError::DirectoryMalformed},
      {"fields run past the directory", rawDirectoryPackage(shortFields), PackageOpenError::DirectoryMalformed},
      {"negative entry size", rawDirectoryPackage(negativeSize), PackageOpenError::DirectoryMalformed},
  };
  for (const Damage& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(writeBytes(dir / "bad.pck", c.bytes));
    Package package;
    EXPECT_FALSE(qv::openPackage(package, dir / "bad.pck"));
    EXPECT_EQ(package.lastError(), c.error) << qv::describePackageOpenError(package.lastError());
    EXPECT_TRUE(package.entries().empty());
    EXPECT_EQ(package.totalSize(), 0);
    EXPECT_FALSE(package.isLoaded());
  }
  Package package;
  EXPECT_FALSE(qv::openPackage(package, dir / "missing.pck"));
  EXPECT_EQ(package.lastError(), PackageOpenError::NoFile);
  EXPECT_FALSE(qv::openPackage(package, dir.path()));  // a folder
  EXPECT_EQ(package.lastError(), PackageOpenError::NoFile);
  ASSERT_TRUE(writeBytes(dir / "good.pck", good));
  EXPECT_TRUE(qv::openPackage(package, dir / "good.pck"));  // the unchanged package opens
}

}  // namespace
