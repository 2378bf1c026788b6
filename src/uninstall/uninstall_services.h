// What the uninstaller needs of the system: its command line and files, the machine's
// parts, its window and the copy of itself that removes it. The Windows side is
// win32/uninstall_services_win32.h; tests pass their own.
#pragma once

#include <cstdint>
#include <string>

#include "system/login_window.h"
#include "system/privileges.h"
#include "system/processes.h"
#include "system/registry.h"
#include "system/running_guard.h"
#include "system/special_folders.h"
#include "texts/interface_texts.h"
#include "uninstall/installation_removal.h"

namespace qv {

// The window: the product to remove, the DelAll choice, OK and Cancel; the removal's
// status line; the end with its status and a Ready button.
class UninstallWindow : public RemovalProgress {
 public:
  // Shows the window; false when it cannot be made.
  virtual bool openUninstallWindow(const InterfaceTexts& texts, const std::string& productName) = 0;
  // Waits for OK (true, `deleteAll` the check box) or Cancel and a close request (false).
  virtual bool waitForConfirmation(bool& deleteAll) = 0;
  // The status text and the Ready button, until it is pressed or the window closed.
  virtual void showCompletion(const InterfaceTexts& texts) = 0;
  virtual void closeUninstallWindow() = 0;
};

class UninstallServices {
 public:
  // The command line after the program's name.
  virtual std::string commandLineArguments() = 0;
  virtual std::string modulePath() = 0;
  virtual std::string temporaryPath() = 0;  // with trailing backslash
  virtual uint32_t processId() = 0;
  // Waits until the process ends, at most `milliseconds`; true when it has ended (or
  // is not there).
  virtual bool waitForProcessEnd(uint32_t processId, unsigned milliseconds) = 0;
  // Marks a file to be removed when the system starts next.
  virtual void removeFileAtRestart(const std::string& path) = 0;
  virtual void showError(const std::string& caption, const std::string& text) = 0;

  virtual RemovableRegistry& registry() = 0;
  virtual FolderLookup& folders() = 0;
  virtual Processes& processes() = 0;
  virtual RunningPrograms& runningPrograms() = 0;
  virtual Privileges& privileges() = 0;
  virtual LoginWindow& loginWindow() = 0;
  virtual UninstallWindow& uninstallWindow() = 0;

 protected:
  ~UninstallServices() = default;
};

}  // namespace qv
