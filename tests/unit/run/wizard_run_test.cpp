// The wizard run with a stand-in window whose events the test scripts, on a machine in
// a scratch folder: the pages walked to Install and Finish, Cancel and the close
// request, the pickers' results, the restart, and a setup whose product package is
// missing.
#include "run/wizard_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/file.h"
#include "runtime/key_value_file.h"
#include "unit/run/install_machine.h"
#include "unit/wizard/fake_wizard_window.h"

namespace {

using namespace qvtest;
using namespace qv::wizard_control;

class WizardRun : public InstallMachine {
 protected:
  void run() {
    readSettings();
    qv::runWizardWith(context, settings, texts, system, window, install);
  }
  // Next pressed `count` times from the welcome page, accepting a licence on the way.
  void walk(int count) {
    for (int i = 0; i < count; ++i) {
      window.press(kNext);
      if (i == 0) window.press(kAccept);
    }
  }
  std::string installFolder() const { return dir / "Program Files\\Vendor\\App\\"; }
  bool started(const std::string& file) const {
    for (const std::string& start : system.started.starts)
      if (start.compare(0, file.size(), file) == 0) return true;
    return false;
  }

  FakeWizardWindow window;
};

TEST_F(WizardRun, InstallsThroughEveryPageAndStartsTheProgram) {
  writeSetup("", "Desktop=1\r\nStartMenu=1\r\nStartProg=1\r\nScriptFile=install.vbs\r\n");
  writeTemp("licence.rtf", "{\\rtf1 Licence}");
  writeTemp("licence.txt", "not this one");
  writeTemp("readme.txt", "Read me");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  walk(4);
  window.press(kInstall);
  window.press(kInstall);  // a second press does nothing
  window.press(kFinish);
  window.beforeEvent = [&](FakeWizardWindow& w) {
    // Programs the run waits for keep the window's events flowing all the while.
    EXPECT_TRUE(system.started.pumping);
    EXPECT_FALSE(w.busy);
  };
  run();

  EXPECT_EQ(window.caption, "Demo App 2.1");
  const std::vector<std::string> opened = {
      "viewer 13 rich " + context.tempFolder + "licence.rtf", "viewer 11 text " + context.tempFolder + "readme.txt",
      "pictures  | ", "show", "close"};
  EXPECT_EQ(window.log, opened);
  EXPECT_EQ(window.controlText(kInstallFolderField) + "\\", installFolder());
  EXPECT_EQ(window.controlText(kStatusLine), "Installation completed");
  EXPECT_TRUE(window.events.empty());

  // The step list and the bar, which reaches the package's total size.
  const std::vector<std::string> steps = {
      "Demo App  -  Version 2.1", "", "", "Copy Program Files   -->   *** Completed ***", "",
      "Create Desktop Icon", "Create Startmenu Shortcuts", "Create additional Links"};
  EXPECT_EQ(window.steps, steps);
  EXPECT_EQ(window.progressMaximum, 5000);
  ASSERT_FALSE(window.progress.empty());
  EXPECT_EQ(window.progress.back(), 5000);
  EXPECT_GE(window.drains, 8);

  // Files, the uninstall entry, links, the state key with the run's choices, the task,
  // then the script.
  EXPECT_EQ(readBytes(installFolder() + "app.exe"), randomBytes(2000, 7));
  EXPECT_EQ(readText(installFolder() + "qvIUpd\\qvIUpdater.lng"), "[Updater]\r\nLanguage=English\r\n");
  const std::string menu = dir / "Start Menu\\Programs\\Vendor\\App\\";
  const std::string state = "registry SOFTWARE\\Quarvel\\{DEMO-GUID}|";
  const std::string entry = "registry Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{DEMO-GUID}|";
  Sequence expected = {
      entry + "DisplayName=Demo App  2.1",
      entry + "DisplayIcon=" + installFolder() + "app.exe",
      entry + "Publisher=",
      entry + "URLInfoAbout=https://example.org/",
      entry + "HelpLink=https://example.org/",
      entry + "Contact=",
      entry + "UninstallString=\"" + installFolder() + "uninstall.exe\"",
      "link " + dir / "Desktop\\Demo App.lnk -> " + installFolder() + "app.exe | /demo | " + installFolder(),
      "link " + menu + "Demo App.lnk -> " + installFolder() + "app.exe | /demo | " + installFolder(),
      state + "InstallDir=" + installFolder(),
      state + "StartMenu=Vendor\\App",
      state + "DesktopIcon=1",
      "task registry Software\\Demo|Folder=" + installFolder(),
      "script after the log",
  };
  EXPECT_EQ(sequence, expected);
  EXPECT_EQ(system.environment["InstallDir"], installFolder());

  // The wizard run's log names the desktop link it made.
  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(installFolder() + "uninstall.dat"));
  log.selectGroup("Settings");
  EXPECT_EQ(log.readKeyString("DesktopIcon", ""), dir / "Desktop\\Demo App.lnk");
  EXPECT_EQ(log.readKeyString("StartMenu", ""), menu);
  log.selectGroup("Files");
  EXPECT_EQ(log.readKeyInteger("Number", -1), 5);
  EXPECT_EQ(log.readKeyString("File1", ""), "app.exe");
  EXPECT_EQ(log.readKeyString("File2", ""), "docs\\");
  EXPECT_EQ(log.readKeyString("File3", ""), "docs\\help.txt");
  EXPECT_EQ(log.readKeyString("File4", ""), "qvIUpd\\");
  EXPECT_EQ(log.readKeyString("File5", ""), "qvIUpd\\qvIUpdater.lng");
  log.closeKeyValueFile();

  // Then the after task, waited for, the temporary folder gone, and the program started.
  const std::vector<std::string> starts = {context.tempFolder + "after.exe|/after|" + context.tempFolder + "|5",
                                           installFolder() + "app.exe||" + installFolder() + "|0"};
  EXPECT_EQ(system.started.starts, starts);
  EXPECT_FALSE(system.started.pumping);
  EXPECT_FALSE(qv::folderExists(context.tempFolder));
  EXPECT_FALSE(context.cancelled);
}

TEST_F(WizardRun, CancelOnAnyPageEndsWithoutTheAfterTaskRestartOrProgram) {
  userTasks = "WhileSetup=while.exe\r\nWhileParam=/w\r\n";
  for (int page = 1; page <= 5; ++page) {
    SCOPED_TRACE(page);
    sequence.clear();
    system.started = FakeProcesses();
    system.started.keepRunning = page == 3;  // elsewhere it has ended by itself
    window = FakeWizardWindow();
    qv::ensureFolderChain(context.tempFolder);
    writeTemp("after.exe", "MZ");
    writeTemp("while.exe", "MZ");
    writeSetup("", "Reboot=1\r\nStartProg=1\r\n");
    ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
    walk(page - 1);
    window.press(kCancel);
    run();
    EXPECT_TRUE(context.cancelled);
    EXPECT_EQ(system.started.starts,
              std::vector<std::string>{context.tempFolder + "while.exe|/w|" + context.tempFolder + "|4"});
    EXPECT_EQ(system.started.stopped, page == 3 ? 1 : 0) << "a running while task is stopped";
    EXPECT_EQ(system.started.released, page == 3 ? 1 : 0);
    EXPECT_TRUE(sequence.empty()) << "no restart, nothing installed";
    EXPECT_FALSE(qv::folderExists(context.tempFolder));
    EXPECT_FALSE(qv::folderExists(installFolder()));
  }
}

TEST_F(WizardRun, TheCloseRequestRemovesTheTemporaryFolderAndKeepsTheRestart) {
  userTasks = "WhileSetup=while.exe\r\n";
  writeTemp("while.exe", "MZ");
  writeTemp("StartQV.exe", "MZ");
  writeSetup("", "Reboot=1\r\n");
  system.started.keepRunning = true;
  window.press(kNext);
  window.requestClose();
  window.press(kCancel);  // never seen: the loop has ended
  run();
  EXPECT_FALSE(context.cancelled);
  EXPECT_EQ(system.started.stopped, 1) << "StartQV.exe asks for the while task to be stopped";
  EXPECT_EQ(system.started.released, 0);
  EXPECT_EQ(window.events.size(), 1u);
  // The after task's file went with the folder; the restart prompt still comes.
  EXPECT_FALSE(started(context.tempFolder + "after.exe"));
  EXPECT_EQ(sequence, Sequence{"restart"});
}

TEST_F(WizardRun, AWindowThatCannotBeBuiltGoesStraightToTheEnd) {
  writeSetup("", "StartProg=1\r\n");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  window.buildable = false;
  run();
  EXPECT_TRUE(window.log.empty());
  EXPECT_EQ(system.started.starts,
            std::vector<std::string>{context.tempFolder + "after.exe|/after|" + context.tempFolder + "|5"});
  EXPECT_FALSE(qv::folderExists(context.tempFolder));
  EXPECT_FALSE(qv::folderExists(installFolder()));
}

TEST_F(WizardRun, RebootClearsTheProgramStartAndPromptsAfterFinish) {
  writeSetup("", "Reboot=1\r\nStartProg=1\r\n");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  walk(2);
  window.press(kInstall);
  window.press(kFinish);
  window.beforeEvent = [](FakeWizardWindow& w) {
    if (!w.events.empty() && w.events.front().control == kFinish) {
      EXPECT_FALSE(w.isChecked(kRunProgram)) << "the box starts cleared";
      w.setChecked(kRunProgram, true);  // the user ticks it all the same
    }
  };
  run();
  EXPECT_EQ(sequence.back(), "restart");
  EXPECT_TRUE(started(context.tempFolder + "after.exe"));
  EXPECT_FALSE(started(installFolder() + "app.exe"));
}

TEST_F(WizardRun, PickedFoldersAndABrowsedInstallFolder) {
  writeSetup("", "StartMenu=1\r\n");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  const std::string programs = dir / "Start Menu\\Programs\\", common = dir / "All\\Programs\\";
  folders.folders[qv::folder_code::kCommonPrograms] = common;
  window.picks = {"|" + common, "Tools|" + programs, "Tools\\App|" + common};
  window.browsed = dir / "Elsewhere\\";
  window.press(kNext);
  for (int i = 0; i < 3; ++i) window.press(kStartMenuChange);
  window.press(kInstallFolderChange);
  walk(1);
  window.press(kInstall);
  window.press(kFinish);
  run();
  // Each opening is handed the field as it was then; an empty pick changes nothing, a
  // pick is completed with the last folder name unless it ends with it.
  EXPECT_EQ(window.log[2], "pick Vendor\\App\\ | " + programs + " | " + common);
  EXPECT_EQ(window.log[3], "pick Vendor\\App\\ | " + programs + " | " + common);
  EXPECT_EQ(window.log[4], "pick Tools\\App\\ | " + programs + " | " + common);
  EXPECT_EQ(window.log[5], "browse Please select a directory");
  EXPECT_EQ(window.controlText(kStartMenuField), "Tools\\App\\");
  const std::string chosen = dir / "Elsewhere\\App\\";
  EXPECT_EQ(readBytes(chosen + "app.exe"), randomBytes(2000, 7));
  // The uninstall entry names the browsed folder; the last pick was below the
  // all-users Programs folder.
  ASSERT_GE(sequence.size(), 10u);
  EXPECT_EQ(sequence[6], "registry Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{DEMO-GUID}|"
                         "UninstallString=\"" + chosen + "uninstall.exe\"");
  EXPECT_EQ(sequence[7], "link " + common + "Tools\\App\\Demo App.lnk -> " + chosen + "app.exe | /demo | " + chosen);
  EXPECT_EQ(sequence[8], "registry SOFTWARE\\Quarvel\\{DEMO-GUID}|InstallDir=" + chosen);
  EXPECT_EQ(sequence[9], "registry SOFTWARE\\Quarvel\\{DEMO-GUID}|StartMenu=Tools\\App");
}

TEST_F(WizardRun, NoStartMenuAndAProgramThatIsNoExe) {
  progExe = "readme.html";
  writeSetup("", "Desktop=1\r\nStartMenu=1\r\nStartProg=1\r\n");
  ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
  walk(2);
  window.press(kNoStartMenu);
  window.press(kInstall);
  window.press(kFinish);
  window.beforeEvent = [](FakeWizardWindow& w) {
    if (!w.events.empty() && w.events.front().control == kNoStartMenu) w.setChecked(kNoStartMenu, true);
  };
  run();
  // The desktop box is hidden but keeps its state; neither the finish box nor a start.
  EXPECT_FALSE(window.shown(kDesktopIcon));
  EXPECT_FALSE(window.shown(kRunProgram));
  EXPECT_FALSE(window.controls[kStartMenuField].enabled);
  ASSERT_EQ(window.steps.size(), 7u);
  EXPECT_EQ(window.steps[5], "Create Desktop Icon");
  EXPECT_EQ(window.steps[6], "Create additional Links");
  // After the uninstall entry's seven values: the desktop link, and no start-menu link.
  ASSERT_GE(sequence.size(), 9u);
  EXPECT_EQ(sequence[7].compare(0, 5, "link "), 0);
  EXPECT_EQ(sequence[8].find("link "), std::string::npos);
  EXPECT_FALSE(started(installFolder()));
}

// The uninstall entry under the quiet run's conditions: none with NoUninstall, and
// none without a link name, though the GUID is set.
TEST_F(WizardRun, NoUninstallEntryWithNoUninstallOrWithoutALinkName) {
  for (const std::string& task : {std::string("NoUninstall=1\r\n"), std::string()}) {
    SCOPED_TRACE(task);
    sequence.clear();
    window = FakeWizardWindow();
    qv::ensureFolderChain(context.tempFolder);
    writeSetup("", task, task.empty() ? "" : "Demo App");
    writeTemp("after.exe", "MZ");
    ASSERT_TRUE(writeBytes(context.tempFolder + "setup.pck", product));
    walk(2);
    window.press(kInstall);
    window.press(kFinish);
    run();
    EXPECT_TRUE(qv::fileExists(installFolder() + "app.exe"));
    EXPECT_EQ(positionOf("registry Software\\Microsoft"), -1);
    EXPECT_NE(positionOf("registry SOFTWARE\\Quarvel"), -1) << "the run went on past it";
  }
}

TEST_F(WizardRun, AMissingProductPackageIsReportedAndNothingElseHappens) {
  writeSetup("", "Desktop=1\r\nStartMenu=1\r\nReboot=1\r\n");
  walk(2);
  window.press(kInstall);
  window.press(kFinish);
  run();
  EXPECT_EQ(system.errors, std::vector<std::string>{"Error - Copy File|Copying file(s) failed."});
  EXPECT_EQ(window.events.size(), 1u) << "the run ended at Install";
  EXPECT_TRUE(sequence.empty()) << "no links, state key, tasks or restart";
  EXPECT_FALSE(qv::fileExists(installFolder() + "uninstall.dat"));
  EXPECT_TRUE(system.started.starts.empty());
  EXPECT_FALSE(qv::folderExists(context.tempFolder));
}

}  // namespace
