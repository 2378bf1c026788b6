// A machine in a scratch folder for the run tests: a temporary folder, Program Files,
// desktop and start menu as real folders, a downloaded setup whose package was
// unpacked, and every other effect recorded in one sequence, so the order of a run's
// steps shows as well as what each was handed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "run/install_services.h"
#include "run/run_context.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "setup/setup_description.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "unit/package/package_test_util.h"
#include "unit/run/fake_start_services.h"
#include "unit/run/recording_install_services.h"
#include "unit/system/fake_system_folders.h"

namespace qvtest {

class InstallMachine : public ::testing::Test {
 protected:
  InstallMachine()
      : registry(sequence),
        links(sequence),
        actions(sequence),
        host(sequence, dir / "Program Files\\Vendor\\App\\uninstall.dat"),
        restart(sequence, dir / "Temp\\{RUN}\\"),
        install(*this) {
    for (const char* folder : {"Temp\\{RUN}\\", "Program Files\\", "Desktop\\", "Start Menu\\Programs\\Startup\\",
                               "Downloads\\"})
      qv::ensureFolderChain(dir / folder);
    folders.folders = {{qv::folder_code::kDesktop, dir / "Desktop\\"},
                       {qv::folder_code::kPrograms, dir / "Start Menu\\Programs\\"},
                       {qv::folder_code::kStartup, dir / "Start Menu\\Programs\\Startup\\"},
                       {qv::folder_code::kProgramFiles, dir / "Program Files\\"}};
    context.stubPath = dir / "Downloads\\setup.exe";
    context.stubFolder = dir / "Downloads\\";
    context.tempFolder = dir / "Temp\\{RUN}\\";
    context.setupDescriptionPath = context.tempFolder + "setup.ini";
    context.languageFileName = "english.lng";
    context.primaryLanguage = 9;
    writeTemp("english.upd", "[Updater]\r\nLanguage=English\r\n");
    writeTemp("after.exe", "MZ");
    writeTemp("install.vbs", "x = qvProgDir\r\n");
    product = makePackage({fileEntry("app.exe", randomBytes(2000, 7)), folderEntry("docs\\"),
                           fileEntry("docs\\help.txt", textBytes(3000, 8), true)})
                  .bytes;
  }

  void writeTemp(const std::string& name, const std::string& text) {
    ASSERT_TRUE(writeBytes(context.tempFolder + name, bytesOf(text)));
  }

  // setup.ini with the given [Settings] lines and [Task] lines after the fixed ones;
  // `progExe` and `userTasks` (more [UserTask] lines) as the test sets them.
  void writeSetup(const std::string& settings, const std::string& task, const std::string& progLink = "Demo App") {
    writeTemp("setup.ini",
              "[Settings]\r\nProgExe=" + progExe + "\r\nDefaultDir=%ProgramFiles%Vendor\\App\r\n" + settings +
                  "[Info]\r\nTitel=Demo App\r\nVersion=2.1\r\nGUID={DEMO-GUID}\r\nWeb=https://example.org/\r\n"
                  "[Task]\r\nProgParameter=/demo\r\n" +
                  task +
                  "[UserTask]\r\nAfterSetup=after.exe\r\nAfterParam=/after\r\nNumber=1\r\n"
                  "Task1=6|2147483649|Software\\Demo|Folder|%InstallDir%\r\n" +
                  userTasks + "[StartMenue]\r\nDefaultDir=Vendor\\App\r\nProgLink=" + progLink + "\r\n");
  }

  // The first reading of the setup description, as at the start of a run.
  void readSettings() {
    settings = qv::RunSettings();
    qv::readSetupDescription(context.setupDescriptionPath, settings);
  }

  bool happened(const std::string& event) const {
    return std::find(sequence.begin(), sequence.end(), event) != sequence.end();
  }
  // Position of the first event that begins with `prefix`; -1 when none does.
  int positionOf(const std::string& prefix) const {
    for (size_t i = 0; i < sequence.size(); ++i)
      if (sequence[i].compare(0, prefix.size(), prefix) == 0) return int(i);
    return -1;
  }

  class Services : public qv::InstallServices {
   public:
    explicit Services(InstallMachine& run) : run_(run) {}
    qv::Registry& registry() override { return run_.registry; }
    qv::FolderLookup& folders() override { return run_.folders; }
    qv::ShellLinks& shellLinks() override { return run_.links; }
    qv::UserTaskActions& userTaskActions() override { return run_.actions; }
    qv::ScriptHost* scriptHost() override { return run_.noHost ? nullptr : &run_.host; }
    qv::RestartPrompt& restartPrompt() override { return run_.restart; }

   private:
    InstallMachine& run_;
  };

  ScratchFolder dir;
  Sequence sequence;
  RecordingRegistry registry;
  FakeFolderLookup folders;
  RecordingLinks links;
  RecordingTaskActions actions;
  RecordingScriptHost host;
  RecordingRestart restart;
  bool noHost = false;
  std::string progExe = "app.exe", userTasks;
  Services install;
  FakeStartServices system;
  qv::RunContext context;
  qv::RunSettings settings;
  qv::InterfaceTexts texts;
  Bytes product;
};

}  // namespace qvtest
