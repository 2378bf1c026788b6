// Writing packages: entries in data order, raw or packed, the directory raw or as a
// block, appended packages, whole folder trees, and the full check of a package.
#include <gtest/gtest.h>

#include "builder/package_folder_source.h"
#include "builder/package_verify.h"
#include "builder/package_writer.h"
#include "package/extract.h"
#include "runtime/bytes.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "unit/package/package_test_util.h"

namespace {

using namespace qvtest;
using qv::Package;
using qv::PackageWriter;

TEST(PackageWriter, StoresEachEntryTheSmallerWay) {
  ScratchFolder dir;
  Bytes text = textBytes(20000, 1);
  Bytes noise = randomBytes(5000, 2);
  Bytes jc = bytesOf("JC");
  PackageWriter w;
  ASSERT_TRUE(w.create(dir / "p.pck"));
  ASSERT_TRUE(w.addFolder("docs", timeAt(1), timeAt(2)));  // the backslash is added
  ASSERT_TRUE(w.addFileData("docs\\text.txt", text.data(), text.size(), timeAt(3), timeAt(4)));
  ASSERT_TRUE(w.addFileData("noise.bin", noise.data(), noise.size(), timeAt(5), timeAt(6)));
  ASSERT_TRUE(w.addFileData("empty", nullptr, 0, timeAt(7), timeAt(8)));
  ASSERT_TRUE(w.addFileData("jc.bin", jc.data(), jc.size(), timeAt(9), timeAt(10)));
  ASSERT_TRUE(w.addFileData("forced.txt", text.data(), 1000, timeAt(11), timeAt(12), true));
  ASSERT_TRUE(w.finish()) << w.error();

  Package package;
  ASSERT_TRUE(qv::openPackage(package, dir / "p.pck"));
  const auto& e = package.entries();
  ASSERT_EQ(e.size(), 6u);
  EXPECT_EQ(e[0].name, "docs\\");
  EXPECT_TRUE(e[0].isFolder());
  EXPECT_EQ(e[0].storedSize, 0);
  EXPECT_LT(e[1].storedSize, e[1].size / 2);  // text packs well
  EXPECT_EQ(e[2].storedSize, e[2].size);      // noise does not: raw
  EXPECT_EQ(e[3].size, 0);
  EXPECT_EQ(e[3].storedSize, 0);
  EXPECT_TRUE(e[4].isStoredRaw());
  EXPECT_TRUE(e[5].isStoredRaw());
  EXPECT_EQ(e[1].offset, 0);
  EXPECT_EQ(e[2].offset, e[1].storedSize);  // data back to back, in directory order
  EXPECT_EQ(e[4].offset, e[1].storedSize + e[2].storedSize);
  EXPECT_EQ(e[1].creation, timeAt(3));
  EXPECT_EQ(e[1].lastWrite, timeAt(4));
  EXPECT_EQ(package.dataEnd(), e[5].offset + e[5].storedSize);

  std::vector<qv::PackageProblem> problems;
  EXPECT_TRUE(qv::verifyPackage(package, problems));
  ASSERT_TRUE(qv::extractPackage(package, dir / "out", ""));
  EXPECT_EQ(readBytes(dir / "out\\docs\\text.txt"), text);
  EXPECT_EQ(readBytes(dir / "out\\noise.bin"), noise);
  EXPECT_EQ(readBytes(dir / "out\\jc.bin"), jc);
  EXPECT_EQ(qv::fileSize(dir / "out\\empty"), 0);
}

TEST(PackageWriter, DirectoryIsABlockOnlyWhenThatIsSmaller) {
  ScratchFolder dir;
  for (int files : {0, 1, 200}) {
    SCOPED_TRACE(files);
    PackageWriter w;
    ASSERT_TRUE(w.create(dir / "p.pck"));
    for (int i = 0; i < files; ++i)
      ASSERT_TRUE(w.addFileData("folder\\file" + std::to_string(i) + ".txt", nullptr, 0, timeAt(1), timeAt(1)));
    ASSERT_TRUE(w.finish());
    Package package;
    ASSERT_TRUE(qv::openPackage(package, dir / "p.pck"));
    EXPECT_EQ(package.entries().size(), size_t(files));
    Bytes directory = qv::serializePackageDirectory(package.entries());
    size_t block = qv::packBlock(directory.data(), directory.size()).size();
    EXPECT_EQ(package.directorySize(), int32_t(directory.size()));
    EXPECT_EQ(size_t(package.directoryStoredSize()), std::min(block, directory.size()));
    if (files == 0) {
      EXPECT_EQ(package.directoryStoredSize(), 4);  // a block has a 10-byte header
    }
    if (files == 200) {
      EXPECT_LT(package.directoryStoredSize(), package.directorySize() / 4);
    }
  }
  PackageWriter stored;  // level 0 packs nothing, the directory neither
  stored.setLevel(qv::kPackLevelStore);
  ASSERT_TRUE(stored.create(dir / "s.pck"));
  Bytes text = textBytes(10000, 5);
  for (int i = 0; i < 50; ++i)
    ASSERT_TRUE(stored.addFileData("f" + std::to_string(i), text.data(), text.size(), timeAt(1), timeAt(1)));
  ASSERT_TRUE(stored.finish());
  Package package;
  ASSERT_TRUE(qv::openPackage(package, dir / "s.pck"));
  EXPECT_EQ(package.directoryStoredSize(), package.directorySize());
  for (const auto& e : package.entries()) EXPECT_TRUE(e.isStoredRaw());
}

TEST(PackageWriter, AppendsToAnExecutable) {
  ScratchFolder dir;
  Bytes executable = randomBytes(3000, 7);
  ASSERT_TRUE(writeBytes(dir / "setup.exe", executable));
  Bytes text = textBytes(4000, 8);
  PackageWriter w;
  ASSERT_TRUE(w.appendTo(dir / "setup.exe"));
  ASSERT_TRUE(w.addFileData("setup.ini", text.data(), text.size(), timeAt(1), timeAt(2)));
  ASSERT_TRUE(w.finish());
  Bytes all = readBytes(dir / "setup.exe");
  EXPECT_TRUE(std::equal(executable.begin(), executable.end(), all.begin()));  // untouched
  Package package;
  ASSERT_TRUE(qv::openPackage(package, dir / "setup.exe"));
  EXPECT_EQ(package.dataStart(), 3000);
  EXPECT_EQ(package.entries()[0].offset, 3000);
  ASSERT_TRUE(qv::extractPackage(package, dir / "out", ""));
  EXPECT_EQ(readBytes(dir / "out\\setup.ini"), text);
}

TEST(PackageWriter, RefusesNamesThatAreNotRelativeBackslashPaths) {
  ScratchFolder dir;
  PackageWriter w;
  ASSERT_TRUE(w.create(dir / "p.pck"));
  for (const char* name : {"", "\\abs", "C:\\x", "..\\up", "a/b", "a\\\\b", "folder\\", "a:b"})
    EXPECT_FALSE(w.addFileData(name, nullptr, 0, timeAt(1), timeAt(1))) << name;
  EXPECT_FALSE(w.error().empty());
  EXPECT_FALSE(w.addFolder("..\\", timeAt(1), timeAt(1)));
  EXPECT_TRUE(w.addFileData("ok.txt", nullptr, 0, timeAt(1), timeAt(1)));
  EXPECT_TRUE(w.entries().size() == 1);
}

TEST(PackageWriter, FolderTreeKeepsStructureAndTimes) {
  ScratchFolder dir;
  std::string src = dir / "src\\";
  qv::ensureFolderChain(src + "a\\b\\");
  qv::ensureFolderChain(src + "empty\\");
  Bytes text = textBytes(9000, 11);
  ASSERT_TRUE(writeBytes(src + "a\\b\\deep.txt", text));
  ASSERT_TRUE(writeBytes(src + "top.bin", randomBytes(100, 12)));
  ASSERT_TRUE(writeBytes(src + "zero", {}));
  {
    qv::File f;
    ASSERT_TRUE(f.open(src + "top.bin", qv::File::Mode::ReadWriteExisting));
    ASSERT_TRUE(f.setTimes(timeAt(13000000000ULL), timeAt(13100000000ULL)));
  }
  std::vector<std::string> told;
  PackageWriter w;
  ASSERT_TRUE(w.create(dir / "p.pck"));
  ASSERT_TRUE(qv::addFolderTree(w, src, "", [&](const std::string& name, int64_t) { told.push_back(name); }));
  ASSERT_TRUE(w.finish());
  EXPECT_EQ(told, (std::vector<std::string>{"a\\b\\deep.txt", "top.bin", "zero"}));
  qv::FolderTreeSurvey survey = qv::surveyFolderTree(src);
  EXPECT_EQ(survey.bytes, 9100);
  EXPECT_EQ(survey.unconvertedHostName, "");

  Package package;
  ASSERT_TRUE(qv::openPackage(package, dir / "p.pck"));
  std::vector<std::string> names;
  for (const auto& e : package.entries()) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{"a\\", "a\\b\\", "a\\b\\deep.txt", "empty\\", "top.bin", "zero"}));
  EXPECT_EQ(package.entries()[4].lastWrite, timeAt(13100000000ULL));
  ASSERT_TRUE(qv::extractPackage(package, dir / "out", ""));
  EXPECT_EQ(readBytes(dir / "out\\a\\b\\deep.txt"), text);
  EXPECT_TRUE(qv::folderExists(dir / "out\\empty"));
  qv::FileTime creation, lastWrite;
  ASSERT_TRUE(qv::readFileTimes(dir / "out\\top.bin", creation, lastWrite));
  EXPECT_EQ(lastWrite, timeAt(13100000000ULL));

  EXPECT_FALSE(qv::isStorableFileName("a:b"));
  EXPECT_FALSE(qv::isStorableFileName("a\\b"));
  EXPECT_FALSE(qv::isStorableFileName("what?"));
  EXPECT_TRUE(qv::isStorableFileName("ordinary name.txt"));
  PackageWriter missing;
  ASSERT_TRUE(missing.create(dir / "q.pck"));
  EXPECT_FALSE(qv::addFolderTree(missing, dir / "no such folder", ""));
  EXPECT_NE(missing.error().find("no such folder"), std::string::npos);
}

TEST(PackageVerify, FindsDamageThatExtractionWouldMeet) {
  ScratchFolder dir;
  Bytes text = textBytes(30000, 13);
  PackageWriter w;
  ASSERT_TRUE(w.create(dir / "p.pck"));
  ASSERT_TRUE(w.addFileData("a.txt", text.data(), text.size(), timeAt(1), timeAt(1)));
  ASSERT_TRUE(w.addFileData("b.txt", text.data(), 100, timeAt(1), timeAt(1)));
  ASSERT_TRUE(w.finish());
  Bytes good = readBytes(dir / "p.pck");
  Package package;
  std::vector<qv::PackageProblem> problems;
  ASSERT_TRUE(qv::openPackage(package, dir / "p.pck"));
  ASSERT_TRUE(qv::verifyPackage(package, problems));
  ASSERT_FALSE(package.entries()[0].isStoredRaw());

  Bytes damaged = good;
  damaged[package.entries()[0].storedSize / 2] ^= 0x01;
  ASSERT_TRUE(writeBytes(dir / "d.pck", damaged));
  ASSERT_TRUE(qv::openPackage(package, dir / "d.pck"));
  EXPECT_FALSE(qv::verifyPackage(package, problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].entryName, "a.txt");

  // Entries out of step with their offsets, and data the directory does not account for.
  PackageBytes p = makePackage({fileEntry("x", bytesOf("xx")), fileEntry("y", bytesOf("yy"))});
  p.entries[1].offset = 7;
  Bytes directory = qv::serializePackageDirectory(p.entries);
  Bytes bytes = bytesOf("xxyy--");
  bytes.insert(bytes.end(), directory.begin(), directory.end());
  for (uint32_t v : {uint32_t(directory.size()), uint32_t(directory.size()), 0u, qv::kPackageMagic})
    qv::appendLittleEndian32(bytes, v);
  ASSERT_TRUE(writeBytes(dir / "o.pck", bytes));
  ASSERT_TRUE(qv::openPackage(package, dir / "o.pck"));
  EXPECT_FALSE(qv::verifyPackage(package, problems));
  EXPECT_EQ(problems.size(), 2u);

  ASSERT_TRUE(writeBytes(dir / "n.pck", makePackage({fileEntry("..\\up", bytesOf("u"))}).bytes));
  ASSERT_TRUE(qv::openPackage(package, dir / "n.pck"));
  EXPECT_FALSE(qv::verifyPackage(package, problems));

  EXPECT_FALSE(qv::openPackage(package, dir / "missing"));
  EXPECT_FALSE(qv::verifyPackage(package, problems));
  EXPECT_EQ(problems.size(), 1u);
}

}  // namespace
