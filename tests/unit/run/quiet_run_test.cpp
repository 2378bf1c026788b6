// The quiet run on a machine in a scratch folder, its other effects recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/quiet_run.h"
#include "run/run_end.h"
#include "runtime/file.h"
#include "runtime/key_value_file.h"
#include "unit/run/install_machine.h"

namespace {

using namespace qvtest;

// A machine with a downloaded setup whose package was unpacked, installed quietly.
class QuietRun : public InstallMachine {
 protected:
  QuietRun() { context.quiet = true; }
  // The first reading at the start of the run, then the quiet run.
  void run() {
    readSettings();
    qv::installQuietly(context, settings, texts, system, install);
  }
};

TEST_F(QuietRun, InstallsEverythingInItsOrder) {
  writeSetup("", "Desktop=1\r\nStartMenu=1\r\nScriptFile=install.vbs\r\n");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  run();

  const std::string installFolder = dir / "Program Files\\Vendor\\App\\";
  const std::string menu = dir / "Start Menu\\Programs\\Vendor\\App\\";
  EXPECT_EQ(system.environment["InstallDir"], installFolder);
  // The product's files, and the updater's language file beside them.
  EXPECT_EQ(readBytes(installFolder + "app.exe"), randomBytes(2000, 7));
  EXPECT_EQ(readBytes(installFolder + "docs\\help.txt"), textBytes(3000, 8));
  EXPECT_EQ(readText(installFolder + "qvIUpd\\qvIUpdater.lng"), "[Updater]\r\nLanguage=English\r\n");

  const std::string entry = "registry Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{DEMO-GUID}|";
  Sequence expected = {
      entry + "DisplayName=Demo App  2.1",
      entry + "DisplayIcon=" + installFolder + "app.exe",
      entry + "Publisher=",
      entry + "URLInfoAbout=https://example.org/",
      entry + "HelpLink=https://example.org/",
      entry + "Contact=",
      entry + "UninstallString=\"" + installFolder + "uninstall.exe\"",
      "link " + dir / "Desktop\\Demo App.lnk -> " + installFolder + "app.exe | /demo | " + installFolder,
      "link " + menu + "Demo App.lnk -> " + installFolder + "app.exe | /demo | " + installFolder,
      "task registry Software\\Demo|Folder=" + installFolder,
      "script after the log",
  };
  EXPECT_EQ(sequence, expected);
  // No state key: the quiet run leaves the next run's proposals as they were.
  for (const std::string& write : registry.writes) EXPECT_EQ(write.find("SOFTWARE\\Quarvel"), std::string::npos);

  // The uninstall log names the run's folders and the task's undo record.
  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(installFolder + "uninstall.dat"));
  log.selectGroup("Settings");
  EXPECT_EQ(log.readKeyString("ProgDir", ""), installFolder);
  EXPECT_EQ(log.readKeyString("StartMenu", ""), menu);
  EXPECT_EQ(log.readKeyString("DesktopIcon", "?"), dir / "Desktop\\Demo App.lnk");
  log.selectGroup("UserTask");
  EXPECT_EQ(log.readKeyInteger("Number", -1), 1);
  EXPECT_EQ(log.readKeyString("Task1", ""), "6|2147483649|Software\\Demo|Folder");
  // And the product's files the extraction placed and the updater's language file, for
  // the uninstaller to remove.
  log.selectGroup("Files");
  EXPECT_EQ(log.readKeyInteger("Number", -1), 5);
  EXPECT_EQ(log.readKeyString("File1", ""), "app.exe");
  EXPECT_EQ(log.readKeyString("File2", ""), "docs\\");
  EXPECT_EQ(log.readKeyString("File3", ""), "docs\\help.txt");
  EXPECT_EQ(log.readKeyString("File5", ""), "qvIUpd\\qvIUpdater.lng");
  log.closeKeyValueFile();

  // The script with its constants, through the host the run was given.
  ASSERT_EQ(host.codes.size(), 1u);
  EXPECT_EQ(host.languages, std::vector<std::string>{"VBScript"});
  EXPECT_EQ(host.codes[0], "Const qvProgDir = \"" + installFolder + "\"\r\nConst qvSetupDir = \"" +
                               context.tempFolder + "\"\r\nConst qvStartMenuDir = \"" + menu +
                               "\"\r\nConst qvGUID = \"{DEMO-GUID}\"\r\nx = qvProgDir\r\n");

  // Then the after task, waited for, and the temporary folder removed; no restart.
  ASSERT_EQ(system.started.starts.size(), 1u);
  EXPECT_EQ(system.started.starts[0], context.tempFolder + "after.exe|/after|" + context.tempFolder + "|5");
  EXPECT_EQ(system.started.released, 1);
  EXPECT_FALSE(qv::folderExists(context.tempFolder));
  EXPECT_FALSE(happened("restart"));
  EXPECT_FALSE(context.reboot);
  EXPECT_EQ(qv::runExitCode(context.outcome, true), qv::kExitInstalled);
}

TEST_F(QuietRun, SplitPackageBesideTheStubAndTheOverrides) {
  writeSetup("Split=1\r\n", "");
  ASSERT_TRUE(writeBytes(dir / "Downloads\\setup.pkj", product));
  // A setup.pck in the temporary folder is not the product package of a split setup.
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck",
                         makePackage({fileEntry("wrong.exe", bytesOf("no"))}).bytes));
  // /P without a trailing backslash; not a drive path, so below Program Files.
  const std::string chosen = dir / "Program Files\\Chosen Folder";
  context.installFolderOverride = "Chosen Folder";
  context.startMenuOverride = "Picked\\Menu";
  run();
  EXPECT_EQ(system.environment["InstallDir"], chosen + "\\");
  EXPECT_EQ(readBytes(chosen + "\\app.exe"), randomBytes(2000, 7));
  EXPECT_FALSE(qv::fileExists(chosen + "\\wrong.exe"));
  // Neither desktop nor start-menu links, yet the tasks' start-menu folder is formed.
  EXPECT_EQ(positionOf("link "), -1);
  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(chosen + "\\uninstall.dat"));
  log.selectGroup("Settings");
  EXPECT_EQ(log.readKeyString("StartMenu", ""), dir / "Start Menu\\Programs\\Picked\\Menu\\");
  log.closeKeyValueFile();
  EXPECT_FALSE(qv::folderExists(dir / "Start Menu\\Programs\\Picked\\"));
}

TEST_F(QuietRun, WithoutUninstallLogAndWithRestart) {
  writeSetup("", "NoUninstall=1\r\nReboot=1\r\n");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  context.taskSelector = 3;
  run();
  const std::string installFolder = dir / "Program Files\\Vendor\\App\\";
  EXPECT_TRUE(qv::fileExists(installFolder + "app.exe"));
  EXPECT_FALSE(qv::fileExists(installFolder + "uninstall.dat"));
  EXPECT_EQ(positionOf("registry Software\\Microsoft"), -1) << "no uninstall entry with NoUninstall";
  // The after task still runs; the restart is the caller's to make, asked for by the
  // exit code: no prompt waits for a person.
  EXPECT_EQ(system.started.starts.size(), 1u);
  EXPECT_TRUE(context.reboot);
  EXPECT_FALSE(happened("restart"));
  EXPECT_EQ(qv::runExitCode(context.outcome, true), qv::kExitRestartRequired);
  // The wizard run's code stays 0.
  EXPECT_EQ(qv::runExitCode(context.outcome, false), 0u);
}

TEST_F(QuietRun, AFailedPartOutweighsTheRestart) {
  // The script cannot be read, and an entry of the package is damaged: both are
  // failures the exit code tells, ahead of the restart.
  writeSetup("", "Reboot=1\r\nScriptFile=missing.vbs\r\n");
  PackageBytes damaged = makePackage({fileEntry("app.exe", randomBytes(2000, 7)),
                                      fileEntry("docs.txt", textBytes(3000, 8), true)});
  damaged.bytes[2000 + damaged.entries[1].storedSize / 2] ^= 0x20;
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", damaged.bytes));
  run();
  EXPECT_EQ(positionOf("script"), -1);
  EXPECT_TRUE(context.outcome.partFailed);
  EXPECT_EQ(qv::runExitCode(context.outcome, true), qv::kExitPartFailed);
  // The run went on as ever: the log and the after task came. The log lists only the
  // file that was written, and the updater's language file with its folder.
  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(dir / "Program Files\\Vendor\\App\\uninstall.dat"));
  log.selectGroup("Files");
  EXPECT_EQ(log.readKeyInteger("Number", -1), 3);
  EXPECT_EQ(log.readKeyString("File1", ""), "app.exe");
  EXPECT_EQ(log.readKeyString("File2", ""), "qvIUpd\\");
  EXPECT_EQ(log.readKeyString("File3", ""), "qvIUpd\\qvIUpdater.lng");
  log.closeKeyValueFile();
  EXPECT_EQ(system.started.starts.size(), 1u);

  // Only the script failing.
  context.outcome = qv::RunOutcome();
  ASSERT_TRUE(qv::ensureFolderPath(context.tempFolder));
  writeSetup("", "ScriptFile=missing.vbs\r\n");
  writeTemp("after.exe", "MZ");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  run();
  EXPECT_EQ(qv::runExitCode(context.outcome, true), qv::kExitPartFailed);
}

TEST_F(QuietRun, NoLinkNameNoEntryAndTheSelectorSkipsTheAfterTask) {
  writeSetup("", "", "");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  noHost = true;
  for (int8_t selector : {int8_t(2), int8_t(0), int8_t(-1)}) {
    SCOPED_TRACE(int(selector));
    sequence.clear();
    system.started.starts.clear();
    context.taskSelector = selector;
    qv::ensureFolderChain(context.tempFolder);
    writeSetup("", "", "");
    run();
    EXPECT_EQ(positionOf("registry Software\\Microsoft"), -1) << "an empty link name makes no uninstall entry";
    EXPECT_TRUE(system.started.starts.empty());
    EXPECT_FALSE(qv::folderExists(context.tempFolder));
  }
  // The log's link name falls back on the program's name without extension.
  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(dir / "Program Files\\Vendor\\App\\uninstall.dat"));
  log.selectGroup("Settings");
  EXPECT_EQ(log.readKeyString("ProgLink", ""), "app");
}

TEST_F(QuietRun, AMissingProductPackageStopsTheRunAfterIt) {
  writeSetup("", "Desktop=1\r\n");
  run();
  const std::string installFolder = dir / "Program Files\\Vendor\\App\\";
  EXPECT_FALSE(qv::fileExists(installFolder + "app.exe"));
  // Nothing was installed, so nothing claims it was: no entry, links, tasks or log, and
  // no after task; the temporary folder still goes.
  EXPECT_TRUE(sequence.empty());
  EXPECT_FALSE(qv::fileExists(installFolder + "uninstall.dat"));
  EXPECT_TRUE(system.started.starts.empty());
  EXPECT_FALSE(qv::folderExists(context.tempFolder));
  EXPECT_EQ(qv::runExitCode(context.outcome, true), qv::kExitSetupDamaged);
}

TEST_F(QuietRun, NothingWithoutATemporaryFolder) {
  writeSetup("", "Desktop=1\r\n");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  context.tempFolder.clear();
  context.setupDescriptionPath = "setup.ini";
  run();
  EXPECT_TRUE(sequence.empty());
  EXPECT_TRUE(system.started.starts.empty());
  EXPECT_TRUE(system.environment.empty());
  EXPECT_FALSE(qv::folderExists(dir / "Program Files\\Vendor\\"));
  EXPECT_EQ(qv::runExitCode(context.outcome, true), qv::kExitSetupDamaged);
}

// The system hands out no install services (as the stand-in does): nothing is
// installed, and the temporary folder still goes.
TEST_F(QuietRun, WithoutInstallServicesOnlyTheTemporaryFolderGoes) {
  writeSetup("", "");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  qv::runQuietInstall(context, settings, texts, system);
  EXPECT_FALSE(qv::folderExists(context.tempFolder));
  EXPECT_FALSE(qv::folderExists(dir / "Program Files\\Vendor\\"));
  EXPECT_TRUE(system.started.starts.empty());
}

}  // namespace
