// The product package: its path, split or inside the setup package, its extraction
// into an install folder that may not exist yet, and the entries it reports placed.
#include <gtest/gtest.h>

#include "install/product_package.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "unit/package/package_test_util.h"

namespace {

using namespace qvtest;

TEST(ProductPackage, PathBesideTheStubOrInTheTemporaryFolder) {
  const std::string temp = "C:\\Temp\\{GUID}\\";
  struct Case {
    const char* stub;
    bool split;
    const char* expected;
  } cases[] = {
      {"C:\\Downloads\\setup.exe", false, "C:\\Temp\\{GUID}\\setup.pck"},
      {"C:\\Downloads\\setup.exe", true, "C:\\Downloads\\setup.pkj"},
      // Every ".exe" of the file name, and only of the file name.
      {"C:\\Downloads\\setup.exe.exe", true, "C:\\Downloads\\setup.pkj.pkj"},
      {"C:\\tools.exe\\setup.exe", true, "C:\\tools.exe\\setup.pkj"},
      {"D:/mirror.exe/setup.exe", true, "D:/mirror.exe/setup.pkj"},
      // Any letter case, as CD and FAT copies name it.
      {"C:\\Downloads\\SETUP.EXE", true, "C:\\Downloads\\SETUP.pkj"},
      {"C:\\Downloads\\Setup.Exe", true, "C:\\Downloads\\Setup.pkj"},
      {"setup.exe", true, "setup.pkj"},
      // Without ".exe" in its name the stub would read itself: no package then.
      {"C:\\Downloads\\setup.bin", true, ""},
      {"C:\\Down.exe\\setup", true, ""},
  };
  // No temporary folder (the run could not make one): no package, rather than a
  // setup.pck of the current folder.
  EXPECT_EQ(qv::productPackagePath("C:\\Downloads\\setup.exe", "", false), "");
  for (const Case& c : cases)
    EXPECT_EQ(qv::productPackagePath(c.stub, temp, c.split), c.expected) << c.stub << " split " << c.split;
}

// Counts the administrator logons extraction offers, and notes what it is told of.
class CountingHooks : public qv::ExtractionHooks {
 public:
  bool offerAdministratorLogon() override {
    ++offers;
    return answer;
  }
  void onPackageOpened(const qv::Package& package) override { openedTotal = package.totalSize(); }
  void onEntryHandled(const qv::PackageEntry& entry) override { handled.push_back(entry.name); }
  int offers = 0;
  bool answer = false;
  int64_t openedTotal = -1;
  std::vector<std::string> handled;
};

TEST(ProductPackage, ExtractsIntoAMissingInstallFolderAndKeepsListedFiles) {
  ScratchFolder dir;
  std::string package = dir / "setup.pck";
  ASSERT_TRUE(writeBytes(package, makePackage({fileEntry("app.exe", randomBytes(3000, 1)),
                                               fileEntry("settings.ini", bytesOf("[New]\r\n")),
                                               folderEntry("docs\\"),
                                               fileEntry("docs\\help.txt", textBytes(5000, 2), true)})
                                      .bytes));
  std::string install = dir / "Program Files\\Vendor\\App\\";
  CountingHooks hooks;
  EXPECT_EQ(qv::extractProductPackage(package, install, "ini|", hooks), qv::ProductExtraction::Whole);
  EXPECT_EQ(readBytes(install + "app.exe"), randomBytes(3000, 1));
  EXPECT_EQ(readBytes(install + "docs\\help.txt"), textBytes(5000, 2));
  EXPECT_EQ(readText(install + "settings.ini"), "[New]\r\n");
  EXPECT_EQ(hooks.handled, (std::vector<std::string>{"app.exe", "settings.ini", "docs\\help.txt"}));
  EXPECT_EQ(hooks.openedTotal, 3000 + 7 + 5000);
  EXPECT_EQ(hooks.offers, 0);

  // Again over the installation: the kept extension leaves the user's file alone.
  ASSERT_TRUE(writeBytes(install + "settings.ini", bytesOf("[Mine]\r\n")));
  ASSERT_TRUE(writeBytes(install + "app.exe", bytesOf("changed")));
  EXPECT_EQ(qv::extractProductPackage(package, install, "ini|", hooks), qv::ProductExtraction::Whole);
  EXPECT_EQ(readText(install + "settings.ini"), "[Mine]\r\n");
  EXPECT_EQ(readBytes(install + "app.exe"), randomBytes(3000, 1));
}

// Records the failures extraction reports to the run's own hooks.
class FailureHooks : public qv::ExtractionHooks {
 public:
  void onEntryFailed(const qv::PackageEntry& entry, qv::EntryFailure failure) override {
    (void)failure;
    failed.push_back(entry.name);
  }
  std::vector<std::string> failed;
};

TEST(ProductPackage, ReportsTheEntriesInTheInstallFolderInPackageOrder) {
  ScratchFolder dir;
  std::string package = dir / "setup.pck";
  PackageBytes bytes = makePackage(
      {fileEntry("app.exe", randomBytes(1000, 4)), folderEntry("docs\\"),
       fileEntry("docs\\damaged.txt", textBytes(4000, 5), true), fileEntry("docs\\old.txt", textBytes(3000, 6), true),
       fileEntry("..\\outside.txt", bytesOf("x")), fileEntry("docs\\empty.txt", {}),
       fileEntry("user.ini", bytesOf("[New]\r\n")), folderEntry("data")});
  for (int damaged : {2, 3})
    bytes.bytes[size_t(bytes.entries[damaged].offset) + size_t(bytes.entries[damaged].storedSize) / 2] ^= 0x20;
  ASSERT_TRUE(writeBytes(package, bytes.bytes));
  std::string install = dir / "App\\";
  ASSERT_TRUE(qv::ensureFolderPath(install + "docs"));
  // An earlier installation's files, and one beside the install folder.
  ASSERT_TRUE(writeBytes(install + "user.ini", bytesOf("[Mine]\r\n")));
  ASSERT_TRUE(writeBytes(install + "docs\\old.txt", bytesOf("earlier")));
  ASSERT_TRUE(writeBytes(dir / "outside.txt", bytesOf("not the product's")));

  FailureHooks hooks;
  std::vector<std::string> placed = {"kept from before"};
  EXPECT_EQ(qv::extractProductPackage(package, install, "ini", hooks, &placed),
            qv::ProductExtraction::EntriesFailed);
  EXPECT_EQ(hooks.failed, (std::vector<std::string>{"docs\\damaged.txt", "docs\\old.txt", "..\\outside.txt"}));
  // Written, kept, and failed over an earlier file are all there; the damaged entry
  // without one is not, the unsafe name is never looked up, and a folder entry without
  // its backslash is not made.
  EXPECT_EQ(placed, (std::vector<std::string>{"kept from before", "app.exe", "docs\\", "docs\\old.txt",
                                              "docs\\empty.txt", "user.ini"}));
  EXPECT_EQ(readText(install + "docs\\old.txt"), "earlier");

  // A package that cannot be opened places nothing.
  placed.clear();
  EXPECT_EQ(qv::extractProductPackage(dir / "missing.pck", install, "", hooks, &placed),
            qv::ProductExtraction::NotOpened);
  EXPECT_TRUE(placed.empty());
}

TEST(ProductPackage, OffersTheLogonOnceWhenTheInstallFolderCannotBeMade) {
  ScratchFolder dir;
  std::string package = dir / "setup.pck";
  ASSERT_TRUE(writeBytes(package, makePackage({fileEntry("app.exe", randomBytes(100, 3))}).bytes));
  // A file where a folder of the path must go: no folder can be made below it.
  ASSERT_TRUE(writeBytes(dir / "blocked", bytesOf("x")));
  for (bool answer : {false, true}) {
    CountingHooks hooks;
    hooks.answer = answer;
    EXPECT_EQ(qv::extractProductPackage(package, dir / "blocked\\App\\", "", hooks),
              qv::ProductExtraction::EntriesFailed);
    // The folder once, and each file that cannot be created once more.
    EXPECT_EQ(hooks.offers, 2) << "answer " << answer;
  }
  // An install folder that exists asks nothing, even when the package is missing.
  CountingHooks hooks;
  EXPECT_EQ(qv::extractProductPackage(dir / "missing.pck", dir.path(), "", hooks),
            qv::ProductExtraction::NotOpened);
  EXPECT_EQ(hooks.offers, 0);
  std::string install = dir / "New\\";
  EXPECT_EQ(qv::extractProductPackage(dir / "missing.pck", install, "", hooks),
            qv::ProductExtraction::NotOpened);
  EXPECT_TRUE(qv::folderExists(install)) << "the install folder is made before the package is opened";
}

}  // namespace
