// The uninstaller's window: caption " " + Uninstaller/Titel, title bar with system
// menu, client area 400 x 210, centred on the screen.
//
// Control numbers:
//   71  Uninstaller/Msg                72  Uninstaller/UninstInfo
//   73  the product's name, bold        74  the check box Uninstaller/DelAll, clear
//   75  the status line: the item being removed, at the end Uninstaller/Status
//   76  OK (Uninstaller/OK; at the end Uninstaller/Ready)
//   77  Cancel (Uninstaller/Cancel; disabled during the removal, hidden at the end)
#pragma once

#include <windows.h>

#include "uninstall/uninstall_services.h"

namespace qv {

constexpr int kUninstallMessage = 71;
constexpr int kUninstallInfo = 72;
constexpr int kUninstallProduct = 73;
constexpr int kUninstallDeleteAll = 74;
constexpr int kUninstallStatus = 75;
constexpr int kUninstallOk = 76;
constexpr int kUninstallCancel = 77;

class Win32UninstallWindow final : public UninstallWindow {
 public:
  ~Win32UninstallWindow();
  bool openUninstallWindow(const InterfaceTexts& texts, const std::string& productName) override;
  bool waitForConfirmation(bool& deleteAll) override;
  void showRemovalStep(const std::string& item) override;
  void showCompletion(const InterfaceTexts& texts) override;
  void closeUninstallWindow() override;

  // For the window's procedure.
  struct State {
    int pressed = 0;  // the button pressed; kUninstallCancel also for a close request
    bool busy = false;  // the removal runs: no button, no close
  };

 private:
  // Repaints what changed; the user's input meanwhile is dropped.
  void drainEvents();

  HWND window_ = nullptr;
  HFONT boldFont_ = nullptr;
  State state_;
};

}  // namespace qv
