// The start of a run against a stand-in system: the context it forms, SetupExeDir,
// the temporary folder, and the setup package extracted from the stub's own file.
#include <gtest/gtest.h>

#include "run/start_run.h"
#include "runtime/file.h"
#include "runtime/folder_removal.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "unit/package/package_test_util.h"
#include "unit/run/fake_start_services.h"

namespace {

using namespace qvtest;

// The stand-in system; the logon is offered through its privileges and login window.
class FakeSystem : public FakeStartServices {
 public:
  // Not an administrator, and the login window is closed at once.
  int logons() const { return login.opened; }
};

const char* const kCopyFailure = "Error - Copy File|Copying file(s) failed.";

// A stub stand-in with a setup package appended.
std::string makeStub(const ScratchFolder& dir, const std::vector<TestEntry>& entries) {
  qv::ensureFolderChain(dir / "dl\\");
  std::string stub = dir / "dl\\setup.exe";
  Bytes executable = bytesOf("MZ stub");
  executable.resize(1000, 0);
  EXPECT_TRUE(writeBytes(stub, entries.empty() ? executable : makePackage(entries, executable).bytes));
  return stub;
}

TEST(StartRun, FormsTheContextAndExtractsTheSetupPackage) {
  ScratchFolder dir;
  qv::InterfaceTexts texts;
  FakeSystem system;
  system.module = makeStub(dir, {fileEntry("setup.ini", bytesOf("[Settings]\r\n")), folderEntry("lang\\"),
                                 fileEntry("lang\\en.lng", textBytes(2000, 1), true), fileEntry("setup.pck", {})});
  system.temp = dir / "temp\\";
  ASSERT_TRUE(qv::createFolder(system.temp));
  system.arguments = "/Q \"/P:C:\\Program Files\\App\" /R:3";
  qv::RunContext context;
  qv::startRun(context, system, texts);

  EXPECT_EQ(system.initialized, 1);
  EXPECT_TRUE(context.quiet);
  EXPECT_EQ(context.installFolderOverride, "C:\\Program Files\\App");
  EXPECT_EQ(context.taskSelector, 3);
  EXPECT_EQ(context.stubPath, system.module);
  EXPECT_EQ(context.stubFolder, dir / "dl\\");
  std::string temp = system.temp + system.guids[0] + "\\";
  EXPECT_EQ(context.tempFolder, temp);
  EXPECT_EQ(context.setupDescriptionPath, temp + "setup.ini");
  EXPECT_EQ(system.environment["SetupExeDir"], dir / "dl\\");
  ASSERT_EQ(system.createdPaths.size(), 1u);
  EXPECT_EQ(system.createdPaths[0], system.temp + system.guids[0]);  // without the trailing backslash
  EXPECT_TRUE(system.errors.empty());
  EXPECT_EQ(readText(temp + "setup.ini"), "[Settings]\r\n");
  EXPECT_EQ(readBytes(temp + "lang\\en.lng"), textBytes(2000, 1));
  EXPECT_EQ(qv::fileSize(temp + "setup.pck"), 0);
}

TEST(StartRun, EveryRunGetsAFolderOfItsOwn) {
  ScratchFolder dir;
  qv::InterfaceTexts texts;
  FakeSystem system;
  system.module = makeStub(dir, {fileEntry("setup.ini", bytesOf("x"))});
  system.temp = dir.path();
  system.guids = {"{00000000-0000-0000-0000-000000000001}", "{00000000-0000-0000-0000-000000000002}"};
  qv::RunContext first, second;
  qv::startRun(first, system, texts);
  qv::startRun(second, system, texts);
  EXPECT_NE(first.tempFolder, second.tempFolder);
  EXPECT_TRUE(qv::fileExists(first.tempFolder + "setup.ini"));
  EXPECT_TRUE(qv::fileExists(second.tempFolder + "setup.ini"));
  EXPECT_TRUE(system.errors.empty());
}

TEST(StartRun, FailuresShowTheCopyFailureMessageAndTheRunGoesOn) {
  ScratchFolder dir;
  qv::InterfaceTexts texts;
  {
    SCOPED_TRACE("folder cannot be made, no logon; extraction makes the missing folders itself");
    FakeSystem system;
    system.module = makeStub(dir, {fileEntry("setup.ini", bytesOf("x"))});
    system.temp = dir / "missing\\deeper\\";
    qv::RunContext context;
    qv::startRun(context, system, texts);
    EXPECT_EQ(system.logons(), 1);
    EXPECT_EQ(system.errors, std::vector<std::string>{kCopyFailure});
    EXPECT_TRUE(qv::fileExists(context.tempFolder + "setup.ini"));
  }
  {
    SCOPED_TRACE("a logon, then one more try whatever it gave; the token is the run's");
    FakeSystem system;
    system.module = makeStub(dir, {fileEntry("setup.ini", bytesOf("x"))});
    system.temp = dir.path();
    system.failFolders = true;
    system.privilegeService.tokens = {reinterpret_cast<qv::SystemHandle>(5)};
    system.login.events = {qv::LoginWindow::Event::Login};
    system.login.entries = {{"admin", "pw"}};
    qv::RunContext context;
    qv::prepareRun(context, system);
    EXPECT_FALSE(qv::createTempFolder(context, system, texts));  // still failing after the retry
    EXPECT_EQ(system.createdPaths.size(), 2u);
    EXPECT_EQ(system.errors, std::vector<std::string>{kCopyFailure});
    EXPECT_EQ(context.logon.token, reinterpret_cast<qv::SystemHandle>(5));
    EXPECT_TRUE(context.logon.impersonating);
    EXPECT_EQ(system.privilegeService.logons, std::vector<std::string>{"admin|.|pw"});
    system.failFolders = false;
    system.errors.clear();
    EXPECT_TRUE(qv::createTempFolder(context, system, texts));
    EXPECT_TRUE(system.errors.empty());
  }
  {
    SCOPED_TRACE("an administrator gets no logon and no second try");
    FakeSystem system;
    system.temp = dir.path();
    system.failFolders = true;
    system.privilegeService.administrator = true;
    qv::RunContext context;
    qv::prepareRun(context, system);
    EXPECT_FALSE(qv::createTempFolder(context, system, texts));
    EXPECT_EQ(system.createdPaths.size(), 1u);
    EXPECT_EQ(system.logons(), 0);
    EXPECT_EQ(system.errors, std::vector<std::string>{kCopyFailure});
  }
  {
    SCOPED_TRACE("stub without a package");
    FakeSystem system;
    system.module = makeStub(dir, {});
    system.temp = dir.path();
    system.guids = {"{00000000-0000-0000-0000-0000000000A3}"};
    qv::RunContext context;
    qv::startRun(context, system, texts);
    EXPECT_EQ(system.errors, std::vector<std::string>{kCopyFailure});
    EXPECT_TRUE(qv::folderExists(context.tempFolder));
  }
  {
    SCOPED_TRACE("a damaged directory claiming the largest sizes: the report, not the end of the process");
    Bytes stub = makePackage({fileEntry("setup.ini", bytesOf("[Info]\r\nTitel=x\r\n")),
                              fileEntry("big.bin", randomBytes(4000, 2))},
                             Bytes(1000, 0x4D))
                     .bytes;
    const uint32_t packageBytes = uint32_t(stub.size() - 1000 - qv::kPackageTrailerSize);
    for (uint32_t storedSize : {packageBytes, 4u}) {
      SCOPED_TRACE(storedSize);
      patchFromEnd(stub, 16, uint32_t(qv::kMaxDirectorySize));
      patchFromEnd(stub, 12, storedSize);
      FakeSystem system;
      system.module = dir / "dl\\damaged.exe";
      ASSERT_TRUE(writeBytes(system.module, stub));
      system.temp = dir.path();
      system.guids = {"{00000000-0000-0000-0000-0000000000D1}"};
      qv::RunContext context;
      qv::startRun(context, system, texts);
      EXPECT_EQ(system.errors, std::vector<std::string>{kCopyFailure});
      EXPECT_FALSE(qv::fileExists(context.tempFolder + "setup.ini"));
      qv::removeFolderTree(context.tempFolder);
    }
  }
  {
    SCOPED_TRACE("no GUID: no folder of its own, nothing extracted into the shared one");
    FakeSystem system;
    system.module = makeStub(dir, {fileEntry("stray.txt", bytesOf("x"))});
    system.temp = dir.path();
    system.guids.clear();
    qv::RunContext context;
    qv::startRun(context, system, texts);
    EXPECT_EQ(context.tempFolder, "");
    EXPECT_EQ(context.setupDescriptionPath, "setup.ini");
    EXPECT_TRUE(system.createdPaths.empty());
    EXPECT_EQ(system.errors.size(), 2u);
    EXPECT_FALSE(qv::fileExists(dir / "stray.txt"));
  }
}

TEST(StartRun, FolderPathsLoseTheirTrailingSeparators) {
  EXPECT_EQ(qv::stripFolderPath("C:\\Temp\\{GUID}\\"), "C:\\Temp\\{GUID}");
  EXPECT_EQ(qv::stripFolderPath("C:\\Temp\\x \\/ "), "C:\\Temp\\x");
  EXPECT_EQ(qv::stripFolderPath("C:\\Temp\\x"), "C:\\Temp\\x");
  EXPECT_EQ(qv::stripFolderPath(" \\/"), "");
  EXPECT_EQ(qv::folderPartOf("C:\\dl\\setup.exe"), "C:\\dl\\");
  EXPECT_EQ(qv::folderPartOf("setup.exe"), "");
}

}  // namespace
