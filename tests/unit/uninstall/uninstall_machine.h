// An installation in a scratch folder with its uninstall log, and the uninstaller's
// services as stand-ins around it, for tests of the removal and the uninstaller's run.
#pragma once

#include <string>
#include <vector>

#include "runtime/file.h"
#include "runtime/key_value_file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "unit/system/fake_run_services.h"
#include "unit/system/fake_system_folders.h"
#include "uninstall/uninstall_services.h"

namespace qvtest {

class FakeUninstallWindow : public qv::UninstallWindow {
 public:
  bool openUninstallWindow(const qv::InterfaceTexts& texts, const std::string& productName) override {
    opened.push_back(texts.text(qv::TextId::UninstallerTitel) + "|" + productName);
    return opens;
  }
  bool waitForConfirmation(bool& all) override {
    all = deleteAll;
    return confirms;
  }
  void showRemovalStep(const std::string& item) override { steps.push_back(item); }
  void showCompletion(const qv::InterfaceTexts& texts) override {
    completions.push_back(texts.text(qv::TextId::UninstallerStatus));
  }
  void closeUninstallWindow() override { ++closes; }

  bool opens = true, confirms = true, deleteAll = false;
  int closes = 0;
  std::vector<std::string> opened, steps, completions;
};

class FakeUninstallServices : public qv::UninstallServices {
 public:
  std::string commandLineArguments() override { return arguments; }
  std::string modulePath() override { return module; }
  std::string temporaryPath() override { return temp; }
  uint32_t processId() override { return 4242; }
  bool waitForProcessEnd(uint32_t id, unsigned) override {
    waited.push_back(id);
    return true;
  }
  void removeFileAtRestart(const std::string& path) override { atRestart.push_back(path); }
  void showError(const std::string& caption, const std::string& text) override { errors.push_back(caption + "|" + text); }
  qv::RemovableRegistry& registry() override { return registryFake; }
  qv::FolderLookup& folders() override { return folderFake; }
  qv::Processes& processes() override { return processFake; }
  qv::RunningPrograms& runningPrograms() override { return runningFake; }
  qv::Privileges& privileges() override { return privilegeFake; }
  qv::LoginWindow& loginWindow() override { return loginFake; }
  qv::UninstallWindow& uninstallWindow() override { return windowFake; }

  std::string arguments, module, temp;
  std::vector<uint32_t> waited;
  std::vector<std::string> atRestart, errors;
  FakeRegistry registryFake;
  FakeFolderLookup folderFake;
  FakeProcesses processFake;
  FakeRunningPrograms runningFake;
  FakePrivileges privilegeFake;
  FakeLoginWindow loginFake;
  FakeUninstallWindow windowFake;
};

// Hello installed into <scratch>\Apps\Hello\ with four files in two folders, its
// start-menu folder in <scratch>\Programs\Hello\ with one link, and the log naming them.
class UninstallMachine {
 public:
  UninstallMachine() : root(backslashed(scratch.path())) {
    progDir = root + "Apps\\Hello\\";
    system.folderFake.folders[qv::folder_code::kPrograms] = root + "Programs\\";
    system.folderFake.folders[qv::folder_code::kDesktop] = root + "Desktop\\";
    system.temp = root + "Temp\\";
    system.module = progDir + "uninstall.exe";
    for (const char* folder : {"Apps\\Hello\\bin\\", "Programs\\Hello\\", "Desktop\\", "Temp\\"})
      qv::ensureFolderPath(root + folder);
    for (const char* file : {"bin\\hello.exe", "bin\\tool.dll", "readme.txt", "uninstall.exe"}) put(progDir + file);
    put(root + "Programs\\Hello\\Hello.lnk");
    put(root + "Desktop\\Hello.lnk");
    log["Settings"] = {{"ProgDir", progDir}, {"ProgExe", "hello.exe"}, {"GUID", "{G}"}, {"ProgLink", "Hello"},
                       {"StartMenu", root + "Programs\\Hello\\"}, {"DesktopIcon", root + "Desktop\\Hello.lnk"}};
    log["StartMenu"] = {{"Program", root + "Programs\\Hello\\Hello.lnk"}};
    log["Files"] = {{"Number", "6"},           {"File1", "bin\\"},         {"File2", "bin\\hello.exe"},
                    {"File3", "bin\\tool.dll"}, {"File4", "readme.txt"},    {"File5", "uninstall.exe"},
                    {"File6", "uninstall.dat"}};
    log["Language"] = {{"Titel", "Remove Hello"}, {"Mutex", "$Titel runs.|Close it."}};
    system.registryFake.set(qv::RegistryRoot::LocalMachine,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{G}", "DisplayName", "Hello");
    system.registryFake.set(qv::RegistryRoot::CurrentUser, "SOFTWARE\\Quarvel\\{G}", "InstallDir", progDir);
  }

  static void put(const std::string& path) { qv::writeWholeFile(path, "x", 1); }
  // The scratch folder with backslashes only (on POSIX systems its host part has
  // slashes), as the uninstaller's rules take paths.
  static std::string backslashed(std::string path) {
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }

  // The log as the groups above say, in the install folder.
  void writeLog() {
    qv::KeyValueDocument document;
    document.openKeyValueFile(progDir + "uninstall.dat");
    for (const auto& group : log) {
      document.selectGroup(group.first);
      for (const auto& key : group.second) document.writeKeyString(key.first, key.second);
    }
    document.closeKeyValueFile();
  }

  void addRecords(const std::vector<std::string>& records) {
    auto& group = log["UserTask"];
    group.push_back({"Number", std::to_string(records.size())});
    for (size_t i = 0; i < records.size(); ++i) group.push_back({"Task" + std::to_string(i + 1), records[i]});
  }

  ScratchFolder scratch;
  std::string root;  // the scratch folder
  std::string progDir;
  FakeUninstallServices system;
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> log;
};

}  // namespace qvtest
