// The login window (window 5) as the administrator logon drives it; the Windows side
// is win32/login_window_win32.h.
#pragma once

#include <string>

#include "texts/interface_texts.h"

namespace qv {

class LoginWindow {
 public:
  enum class Event { Login, Close };
  // Builds and shows the window; false when it cannot be opened.
  virtual bool openLoginWindow(const InterfaceTexts& texts) = 0;
  // Waits until the Login button is pressed or the window is asked to close.
  virtual Event waitForLoginEvent() = 0;
  virtual std::string enteredUserName() = 0;
  virtual std::string enteredPassword() = 0;
  virtual void clearLoginFields() = 0;
  // A message box with an error icon and OK, owned by the login window.
  virtual void showLoginFailure(const std::string& caption, const std::string& text) = 0;
  virtual void closeLoginWindow() = 0;

 protected:
  ~LoginWindow() = default;
};

}  // namespace qv
