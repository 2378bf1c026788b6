#include "win32/login_window_win32.h"

#include <windows.h>

#include "win32/window_kit_win32.h"

namespace qv {
namespace {

const char kClassName[] = "QuarvelLoginWindow";
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK loginProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* state = windowState<Win32LoginWindow::State>(window, message, lParam)) {
    // A click or close request sent from another thread arrives inside the wait for
    // the next message: a posted message of no meaning ends that wait.
    if (message == WM_COMMAND && LOWORD(wParam) == kLoginButton && HIWORD(wParam) == BN_CLICKED) {
      state->loginPressed = true;
      PostMessageA(window, WM_NULL, 0, 0);
      return 0;
    }
    if (message == WM_CLOSE) {
      state->closeRequested = true;  // the caller closes the window once its wait has ended
      PostMessageA(window, WM_NULL, 0, 0);
      return 0;
    }
    // The Return key presses Login.
    if (message == DM_GETDEFID) return MAKELRESULT(kLoginButton, DC_HASDEFID);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

Win32LoginWindow::~Win32LoginWindow() { closeLoginWindow(); }

bool Win32LoginWindow::openLoginWindow(const InterfaceTexts& texts) {
  closeLoginWindow();
  if (!registerWindowClass(kClassName, loginProcedure)) return false;
  state_ = State();
  HWND window = createSizedWindow(kClassName, texts.text(TextId::LoginAdminWindow), kStyle, 260, 135,
                                  Placement::Screen, &state_);
  if (!window) return false;
  window_ = window;
  buttonFont_ = createPointFont("System", 10, true);

  // Created in this order, the frame lies below the other controls.
  const DWORD sibling = WS_CLIPSIBLINGS;
  static const TextedControl kControls[] = {
      {kLoginUserLabel, TextId::LoginAdminUser, 20, 27, 90, 15, "STATIC", sibling | SS_RIGHT, 0},
      {kLoginUserField, TextId::Count, 115, 25, 120, 20, "EDIT", sibling | ES_AUTOHSCROLL | WS_TABSTOP,
       WS_EX_CLIENTEDGE},
      {kLoginPasswordLabel, TextId::LoginAdminPassword, 20, 62, 90, 15, "STATIC", sibling | SS_RIGHT, 0},
      {kLoginPasswordField, TextId::Count, 115, 60, 120, 20, "EDIT",
       sibling | ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP, WS_EX_CLIENTEDGE},
      {kLoginButton, TextId::ButtonLogin, 90, 104, 80, 22, "BUTTON", sibling | BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {kLoginFrame, TextId::Count, 10, 10, 240, 85, "STATIC", sibling, WS_EX_STATICEDGE},
  };
  if (!createTextedControls(window, kControls, sizeof(kControls) / sizeof(kControls[0]), texts)) {
    closeLoginWindow();
    return false;
  }
  SendMessageA(GetDlgItem(window, kLoginButton), WM_SETFONT, WPARAM(buttonFont_), FALSE);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(GetDlgItem(window, kLoginUserField));
  return true;
}

LoginWindow::Event Win32LoginWindow::waitForLoginEvent() {
  HWND window = static_cast<HWND>(window_);
  if (!window) return Event::Close;
  state_.loginPressed = false;
  state_.closeRequested = false;
  WaitRules rules;
  rules.ignoreOtherInput = true;  // other windows still repaint, but their input is ignored
  waitForWindow(window, rules, [&] { return state_.loginPressed || state_.closeRequested; });
  return state_.loginPressed ? Event::Login : Event::Close;
}

std::string Win32LoginWindow::enteredUserName() { return controlText(static_cast<HWND>(window_), kLoginUserField); }

std::string Win32LoginWindow::enteredPassword() {
  return controlText(static_cast<HWND>(window_), kLoginPasswordField);
}

void Win32LoginWindow::clearLoginFields() {
  HWND window = static_cast<HWND>(window_);
  if (!window) return;
  setControlText(window, kLoginUserField, "");
  setControlText(window, kLoginPasswordField, "");
  SetFocus(GetDlgItem(window, kLoginUserField));
}

void Win32LoginWindow::showLoginFailure(const std::string& caption, const std::string& text) {
  MessageBoxA(static_cast<HWND>(window_), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void Win32LoginWindow::closeLoginWindow() {
  if (window_) DestroyWindow(static_cast<HWND>(window_));
  window_ = nullptr;
  if (buttonFont_) DeleteObject(static_cast<HFONT>(buttonFont_));
  buttonFont_ = nullptr;
}

}  // namespace qv
