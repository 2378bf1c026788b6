// The uninstaller against an installation in a scratch folder: its log, the removal in
// its order and by its rules, the run's exit codes and the copy that removes it.
#include "uninstall/uninstall_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "uninstall/installation_removal.h"
#include "uninstall/uninstall_log_reader.h"
#include "unit/uninstall/uninstall_machine.h"

using qv::RegistryRoot;
using qvtest::UninstallMachine;

namespace {

const char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{G}";

int runUninstaller(UninstallMachine& machine, const std::string& arguments) {
  machine.writeLog();
  machine.system.arguments = arguments;
  return qv::runUninstaller(machine.system);
}

bool registryHolds(UninstallMachine& machine, RegistryRoot root, const std::string& key, const std::string& name) {
  return machine.system.registryFake.values.count(std::make_tuple(root, key, name)) != 0;
}

}  // namespace

TEST(UninstallLogReader, ReadsTheGroupsAndTakesItsTexts) {
  UninstallMachine machine;
  machine.addRecords({"6|2147483649|Software\\A|V", "", "0|x.lnk"});
  machine.log["StartProg"] = {{"BeforeUninst", "before.exe"}, {"AfterParam", "/x"}};
  machine.writeLog();
  qv::UninstallLogContents log;
  qv::InterfaceTexts texts;
  ASSERT_TRUE(qv::readUninstallLog(machine.progDir + "uninstall.dat", log, texts));
  EXPECT_EQ(log.progDir, machine.progDir);
  EXPECT_EQ(log.files.size(), 6u);
  EXPECT_EQ(log.undoRecords, (std::vector<std::string>{"6|2147483649|Software\\A|V", "0|x.lnk"}));
  EXPECT_EQ(log.startMenuLinks.size(), 1u);
  EXPECT_EQ(log.beforeUninst, "before.exe");
  EXPECT_EQ(log.afterParam, "/x");
  EXPECT_EQ(texts.text(qv::TextId::UninstallerTitel), "Remove Hello");
  EXPECT_EQ(texts.text(qv::TextId::UninstallerOk), "OK");  // not in the log: the default
  EXPECT_EQ(log.runningWarning, "Hello runs.\nClose it.");

  machine.log["Settings"] = {{"ProgExe", "hello.exe"}};  // no install folder
  qv::removeFile(machine.progDir + "uninstall.dat");
  machine.writeLog();
  EXPECT_FALSE(qv::readUninstallLog(machine.progDir + "uninstall.dat", log, texts));
  EXPECT_FALSE(qv::readUninstallLog(machine.progDir + "missing.dat", log, texts));
}

TEST(UninstallRun, QuietRemovesEverythingOfTheInstallationAndStartsItsCopy) {
  UninstallMachine machine;
  EXPECT_EQ(runUninstaller(machine, "/Q"), qv::uninstall_exit::kRemoved);
  for (const char* file : {"bin\\hello.exe", "bin\\tool.dll", "readme.txt", "uninstall.dat", "bin\\"})
    EXPECT_FALSE(qv::fileExists(machine.progDir + file) || qv::folderExists(machine.progDir + file)) << file;
  EXPECT_TRUE(qv::fileExists(machine.progDir + "uninstall.exe"));  // for the copy, after this process
  EXPECT_FALSE(qv::fileExists(machine.root + "Desktop\\Hello.lnk"));
  EXPECT_FALSE(qv::folderExists(machine.root + "Programs\\Hello\\"));
  EXPECT_TRUE(qv::folderExists(machine.root + "Programs\\"));
  EXPECT_FALSE(registryHolds(machine, RegistryRoot::LocalMachine, kEntry, "DisplayName"));
  EXPECT_FALSE(registryHolds(machine, RegistryRoot::CurrentUser, "SOFTWARE\\Quarvel\\{G}", "InstallDir"));
  ASSERT_EQ(machine.system.processFake.starts.size(), 1u);
  const std::string copy = machine.root + "Temp\\qv4242-uninstall.exe";
  EXPECT_EQ(machine.system.processFake.starts[0],
            copy + "|/CLEAN:4242 \"" + machine.progDir + "uninstall.exe\"|" + machine.root + "Temp\\" + "|0");
  EXPECT_TRUE(qv::fileExists(copy));
  EXPECT_TRUE(machine.system.windowFake.opened.empty());

  // The copy, run as started: the uninstaller's file and its folders go once it has ended.
  machine.system.module = copy;
  machine.system.arguments = "/CLEAN:4242 \"" + machine.progDir + "uninstall.exe\"";
  EXPECT_EQ(qv::runUninstaller(machine.system), 0);
  EXPECT_EQ(machine.system.waited, std::vector<uint32_t>{4242});
  EXPECT_FALSE(qv::folderExists(machine.root + "Apps\\"));
  EXPECT_EQ(machine.system.atRestart, std::vector<std::string>{copy});
}

TEST(UninstallRun, UserFilesStayUnlessDeleteAllAndTheyKeepTheFolder) {
  UninstallMachine machine;
  UninstallMachine::put(machine.progDir + "bin\\user.txt");
  machine.system.arguments = "";
  EXPECT_EQ(runUninstaller(machine, ""), qv::uninstall_exit::kItemsLeft);
  EXPECT_TRUE(qv::fileExists(machine.progDir + "bin\\user.txt"));
  EXPECT_FALSE(qv::fileExists(machine.progDir + "bin\\hello.exe"));
  EXPECT_EQ(machine.system.windowFake.opened, std::vector<std::string>{"Remove Hello|Hello"});
  EXPECT_EQ(machine.system.windowFake.completions.size(), 1u);
  EXPECT_FALSE(machine.system.windowFake.steps.empty());

  UninstallMachine all;
  UninstallMachine::put(all.progDir + "bin\\user.txt");
  qv::ensureFolderPath(all.progDir + "data\\more\\");
  UninstallMachine::put(all.progDir + "data\\more\\user.dat");
  all.system.windowFake.deleteAll = true;
  EXPECT_EQ(runUninstaller(all, ""), qv::uninstall_exit::kRemoved);
  EXPECT_FALSE(qv::folderExists(all.progDir + "bin\\") || qv::folderExists(all.progDir + "data\\"));
}

TEST(UninstallRun, NothingIsRemovedWithoutALogForThisFolderOrWhenCancelledOrRunning) {
  UninstallMachine missing;
  missing.system.arguments = "/q";
  EXPECT_EQ(qv::runUninstaller(missing.system), qv::uninstall_exit::kNoLog);
  EXPECT_TRUE(missing.system.errors.empty());  // a quiet run shows nothing

  UninstallMachine moved;  // a log naming another folder than its own
  moved.log["Settings"][0].second = moved.root + "Elsewhere\\";
  EXPECT_EQ(runUninstaller(moved, ""), qv::uninstall_exit::kNoLog);
  EXPECT_EQ(moved.system.errors, std::vector<std::string>{"Remove Hello|Uninstalling Program Not possible."});
  EXPECT_TRUE(qv::fileExists(moved.progDir + "readme.txt"));

  UninstallMachine cancelled;
  cancelled.system.windowFake.confirms = false;
  EXPECT_EQ(runUninstaller(cancelled, ""), qv::uninstall_exit::kCancelled);
  EXPECT_TRUE(qv::fileExists(cancelled.progDir + "readme.txt"));
  EXPECT_EQ(cancelled.system.windowFake.closes, 1);

  UninstallMachine running;
  running.system.runningFake.processes = {"HELLO.EXE"};
  EXPECT_EQ(runUninstaller(running, "/Q"), qv::uninstall_exit::kCancelled);
  EXPECT_TRUE(running.system.runningFake.boxes.empty());
  running.system.runningFake.answerOk = false;
  EXPECT_EQ(runUninstaller(running, ""), qv::uninstall_exit::kCancelled);
  EXPECT_EQ(running.system.runningFake.boxes, std::vector<std::string>{"Remove Hello|Hello runs.\nClose it."});
  EXPECT_TRUE(qv::fileExists(running.progDir + "readme.txt"));
}

TEST(UninstallRun, ProtectedInstallFolderLosesOnlyItsListedFiles) {
  UninstallMachine machine;
  machine.system.folderFake.folders[qv::folder_code::kProgramFiles] = machine.progDir;
  UninstallMachine::put(machine.progDir + "other.txt");
  machine.system.windowFake.deleteAll = true;
  EXPECT_EQ(runUninstaller(machine, ""), qv::uninstall_exit::kItemsLeft);
  EXPECT_FALSE(qv::fileExists(machine.progDir + "bin\\hello.exe"));
  EXPECT_TRUE(qv::folderExists(machine.progDir + "bin\\"));
  EXPECT_TRUE(qv::fileExists(machine.progDir + "other.txt"));
  EXPECT_TRUE(machine.system.processFake.starts.empty() ||
              machine.system.processFake.starts.back().find("/CLEAN:") != std::string::npos);
}

TEST(UninstallRun, RecordsUndoneLastToFirstWithinTheirRules) {
  UninstallMachine machine;
  const std::string appData = machine.root + "AppData\\";
  qv::ensureFolderPath(appData + "Hello\\");
  UninstallMachine::put(appData + "Hello\\notes.txt");
  UninstallMachine::put(appData + "shared.txt");
  UninstallMachine::put(appData + "precious.txt");
  qvtest::FakeRegistry& registry = machine.system.registryFake;
  registry.set(RegistryRoot::CurrentUser, "Software\\Vendor\\Hello", "Dir", "x");
  registry.set(RegistryRoot::ClassesRoot, ".hlo", "", "hlo_auto_file");
  registry.set(RegistryRoot::ClassesRoot, "hlo_auto_file", "", "Hello file");
  registry.set(RegistryRoot::ClassesRoot, "Applications\\hello.exe\\shell\\open\\command", "",
               "\"" + machine.progDir + "bin\\hello.exe\" \"%1\"");
  registry.set(RegistryRoot::LocalMachine, "Software\\Classes\\.hlo", "", "other.exe");  // another program's
  machine.addRecords({"5|" + appData + "Hello\\notes.txt", "5|" + appData + "shared.txt|1",
                      "6|2147483649|Software\\Vendor\\Hello|Dir", "0|" + appData + "precious.txt",
                      "9|" + machine.root + "System\\" + "|" + machine.progDir + "bin\\tool.dll",
                      "10|hlo|hello.exe"});
  EXPECT_EQ(runUninstaller(machine, "/Q"), qv::uninstall_exit::kRemoved);
  EXPECT_FALSE(qv::folderExists(appData + "Hello\\"));
  EXPECT_TRUE(qv::fileExists(appData + "shared.txt"));    // there before the install
  EXPECT_TRUE(qv::fileExists(appData + "precious.txt"));  // a link record naming no link
  EXPECT_TRUE(registry.values.empty() == false);
  EXPECT_FALSE(registryHolds(machine, RegistryRoot::CurrentUser, "Software\\Vendor\\Hello", "Dir"));
  EXPECT_FALSE(registryHolds(machine, RegistryRoot::ClassesRoot, ".hlo", ""));
  EXPECT_FALSE(registryHolds(machine, RegistryRoot::ClassesRoot, "hlo_auto_file", ""));
  EXPECT_FALSE(registryHolds(machine, RegistryRoot::ClassesRoot, "Applications\\hello.exe\\shell\\open\\command", ""));
  EXPECT_TRUE(registryHolds(machine, RegistryRoot::LocalMachine, "Software\\Classes\\.hlo", ""));
  const std::vector<std::string>& removed = registry.removedKeys;
  EXPECT_NE(std::find(removed.begin(), removed.end(), "Software\\Vendor"), removed.end());
  EXPECT_EQ(std::find(removed.begin(), removed.end(), "Software"), removed.end());
  // The DLL is unregistered first (the records run backwards from the association),
  // while its file is still there.
  ASSERT_FALSE(machine.system.processFake.starts.empty());
  EXPECT_EQ(machine.system.processFake.starts[0],
            machine.root + "System\\regsvr32.exe" + "|/u /S \"" + machine.progDir + "bin\\tool.dll\"|" +
                machine.progDir + "bin\\|1");
}
