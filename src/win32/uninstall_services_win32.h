// The uninstaller's system calls on Windows, with the real registry, special folders,
// processes, privileges and windows.
#pragma once

#include "system/special_folders.h"
#include "uninstall/uninstall_services.h"
#include "win32/login_window_win32.h"
#include "win32/privileges_win32.h"
#include "win32/processes_win32.h"
#include "win32/registry_win32.h"
#include "win32/running_guard_win32.h"
#include "win32/shell_folders_win32.h"
#include "win32/uninstall_window_win32.h"

namespace qv {

class Win32UninstallServices final : public UninstallServices {
 public:
  std::string commandLineArguments() override;
  std::string modulePath() override;
  std::string temporaryPath() override;
  uint32_t processId() override;
  bool waitForProcessEnd(uint32_t processId, unsigned milliseconds) override;
  void removeFileAtRestart(const std::string& path) override;
  void showError(const std::string& caption, const std::string& text) override;

  RemovableRegistry& registry() override { return registry_; }
  FolderLookup& folders() override { return folders_; }
  Processes& processes() override { return processes_; }
  RunningPrograms& runningPrograms() override { return runningPrograms_; }
  Privileges& privileges() override { return privileges_; }
  LoginWindow& loginWindow() override { return loginWindow_; }
  UninstallWindow& uninstallWindow() override { return window_; }

 private:
  Win32RemovableRegistry registry_;
  Win32ShellFolders shell_;
  SpecialFolders folders_{shell_, registry_};
  Win32Processes processes_;
  Win32RunningPrograms runningPrograms_;
  Win32Privileges privileges_;
  Win32LoginWindow loginWindow_;
  Win32UninstallWindow window_;
};

}  // namespace qv
