// A run's system calls on Windows, and the Windows parts it uses: privileges, the
// login window, the language chooser, the running-program guard and the started
// programs with their kept records.
#pragma once

#include <memory>

#include "run/start_services.h"
#include "win32/com_win32.h"
#include "win32/install_services_win32.h"
#include "win32/language_choice_win32.h"
#include "win32/login_window_win32.h"
#include "win32/privileges_win32.h"
#include "win32/processes_win32.h"
#include "win32/running_guard_win32.h"
#include "win32/wizard_window_win32.h"

namespace qv {

class Win32StartServices : public StartServices {
 public:
  void initializeServices() override;
  void releaseServices() override;
  std::string commandLineArguments() override;
  std::string modulePath() override;
  std::string temporaryPath() override;
  std::string newGuidText() override;
  void setEnvironmentVariable(const std::string& name, const std::string& value) override;
  bool createFolder(const std::string& path) override;
  void showError(const std::string& caption, const std::string& text) override;
  uint16_t userDefaultLanguageId() override;

  Privileges& privileges() override { return privileges_; }
  LoginWindow& loginWindow() override { return loginWindow_; }
  LanguageChooser& languageChooser() override { return languageChooser_; }
  RunningPrograms& runningPrograms() override { return runningPrograms_; }
  Processes& processes() override { return processes_; }
  InstallServices* installServices(RunContext& context, const InterfaceTexts& texts) override;
  WizardWindow* wizardWindow() override { return &wizard_; }

 private:
  Win32Privileges privileges_;
  Win32LoginWindow loginWindow_;
  Win32LanguageChooser languageChooser_;
  Win32RunningPrograms runningPrograms_;
  Win32Processes processes_;
  std::unique_ptr<ComApartment> apartment_;  // COM for the whole run
  Win32WizardWindow wizard_;
  std::unique_ptr<Win32InstallServices> install_;
};

}  // namespace qv
