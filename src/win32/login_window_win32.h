// The login window, window 5: user name and password for an administrator logon.
// Caption " " + LoginAdmin/Window, title bar with system menu, client area
// 260 x 135, centred on the screen. Its event wait takes the events of other
// windows and ignores their input.
//
// Control numbers:
//   61  LoginAdmin/User, right-aligned      62  the user-name field
//   63  LoginAdmin/Password, right-aligned  64  the password field, characters masked
//   65  the Login button (Buttons/Login; also pressed by the Return key)
//   66  a frame with a thin sunken edge around the fields
#pragma once

#include "system/login_window.h"

namespace qv {

constexpr int kLoginUserLabel = 61;
constexpr int kLoginUserField = 62;
constexpr int kLoginPasswordLabel = 63;
constexpr int kLoginPasswordField = 64;
constexpr int kLoginButton = 65;
constexpr int kLoginFrame = 66;

class Win32LoginWindow final : public LoginWindow {
 public:
  ~Win32LoginWindow();
  bool openLoginWindow(const InterfaceTexts& texts) override;
  Event waitForLoginEvent() override;
  std::string enteredUserName() override;
  std::string enteredPassword() override;
  void clearLoginFields() override;
  void showLoginFailure(const std::string& caption, const std::string& text) override;
  void closeLoginWindow() override;

  // For the window's procedure.
  struct State {
    bool loginPressed = false;
    bool closeRequested = false;
  };

 private:
  void* window_ = nullptr;  // HWND
  void* buttonFont_ = nullptr;  // HFONT
  State state_;
};

}  // namespace qv
