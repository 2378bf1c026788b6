// What a run needs from the system. Implemented for Windows in
// win32/start_services_win32.cpp; the tests supply their own.
#pragma once

#include <cstdint>
#include <string>

#include "system/privileges.h"
#include "system/processes.h"
#include "system/running_guard.h"
#include "texts/language_choice.h"

namespace qv {

class InstallServices;
class WizardWindow;
struct RunContext;
class InterfaceTexts;

class StartServices {
 public:
  // COM (single-threaded apartment) for the rest of the run; GUIDs need it.
  virtual void initializeServices() = 0;
  // Undoes initializeServices at the end of the run.
  virtual void releaseServices() = 0;
  // The command line after the program name.
  virtual std::string commandLineArguments() = 0;
  // Full path of the running executable, as the system reports it.
  virtual std::string modulePath() = 0;
  // The system's temporary path in its long form, with a trailing backslash.
  virtual std::string temporaryPath() = 0;
  // A new GUID in registry text form (38 characters with braces); empty on failure.
  virtual std::string newGuidText() = 0;
  virtual void setEnvironmentVariable(const std::string& name, const std::string& value) = 0;
  // Creates one folder level (the path comes without trailing separators).
  virtual bool createFolder(const std::string& path) = 0;
  // A message box with an error icon and an OK button.
  virtual void showError(const std::string& caption, const std::string& text) = 0;
  // The user's default language identifier.
  virtual uint16_t userDefaultLanguageId() = 0;

  virtual Privileges& privileges() = 0;
  virtual LoginWindow& loginWindow() = 0;
  virtual LanguageChooser& languageChooser() = 0;
  virtual RunningPrograms& runningPrograms() = 0;
  virtual Processes& processes() = 0;
  // The installation's system parts, made on the first call and kept until
  // releaseServices. Null where the run cannot install (the tests' stand-ins).
  // The wizard window; null where there is none (the tests' stand-ins).
  virtual WizardWindow* wizardWindow() { return nullptr; }
  virtual InstallServices* installServices(RunContext& context, const InterfaceTexts& texts) {
    (void)context;
    (void)texts;
    return nullptr;
  }

 protected:
  ~StartServices() = default;
};

}  // namespace qv
