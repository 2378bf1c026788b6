#include "win32/login_window_win32.h"

#include <windows.h>

#include <vector>

namespace qv {
namespace {

const char kClassName[] = "QuarvelLoginWindow";
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK loginProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<Win32LoginWindow::State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state) {
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

bool registerLoginClass(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = loginProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createControl(HWND parent, DWORD exStyle, const char* className, const std::string& text, DWORD style, int x,
                   int y, int w, int h, int number) {
  HWND control = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x,
                                 y, w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control) SendMessageA(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

std::string controlText(HWND window, int number) {
  HWND control = GetDlgItem(window, number);
  if (!control) return std::string();
  int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::vector<char> text(size_t(length) + 1);
  int got = GetWindowTextA(control, text.data(), length + 1);
  return std::string(text.data(), got > 0 ? size_t(got) : 0);
}

bool isInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

Win32LoginWindow::~Win32LoginWindow() { closeLoginWindow(); }

bool Win32LoginWindow::openLoginWindow(const InterfaceTexts& texts) {
  closeLoginWindow();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registerLoginClass(instance)) return false;

  RECT frame = {0, 0, 260, 135};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  state_ = State();
  std::string caption = " " + texts.text(TextId::LoginAdminWindow);
  HWND window = CreateWindowExA(0, kClassName, caption.c_str(), kStyle, x, y, width, height, nullptr, nullptr,
                                instance, &state_);
  if (!window) return false;
  window_ = window;

  // Created in this order, the frame lies below the other controls.
  bool made =
      createControl(window, 0, "STATIC", texts.text(TextId::LoginAdminUser), SS_RIGHT, 20, 27, 90, 15,
                    kLoginUserLabel) &&
      createControl(window, WS_EX_CLIENTEDGE, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 115, 25, 120, 20,
                    kLoginUserField) &&
      createControl(window, 0, "STATIC", texts.text(TextId::LoginAdminPassword), SS_RIGHT, 20, 62, 90, 15,
                    kLoginPasswordLabel) &&
      createControl(window, WS_EX_CLIENTEDGE, "EDIT", "", ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP, 115, 60, 120,
                    20, kLoginPasswordField) &&
      createControl(window, 0, "BUTTON", texts.text(TextId::ButtonLogin), BS_DEFPUSHBUTTON | WS_TABSTOP, 90, 104,
                    80, 22, kLoginButton) &&
      createControl(window, WS_EX_STATICEDGE, "STATIC", "", 0, 10, 10, 240, 85, kLoginFrame);
  if (!made) {
    closeLoginWindow();
    return false;
  }
  HDC screen = GetDC(nullptr);
  int pointHeight = -MulDiv(10, screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96, 72);
  if (screen) ReleaseDC(nullptr, screen);
  HFONT font = CreateFontA(pointHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "System");
  buttonFont_ = font;
  if (font) SendMessageA(GetDlgItem(window, kLoginButton), WM_SETFONT, WPARAM(font), FALSE);

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
  MSG message;
  while (!state_.loginPressed && !state_.closeRequested) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(int(message.wParam));  // leave the quit request to the caller's loop
      return Event::Close;
    }
    if (got == -1) return Event::Close;
    bool ours = message.hwnd == window || IsChild(window, message.hwnd);
    // Other windows still repaint, but what the user does there is ignored.
    if (!ours && isInputMessage(message.message)) continue;
    if (ours && IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return state_.loginPressed ? Event::Login : Event::Close;
}

std::string Win32LoginWindow::enteredUserName() { return controlText(static_cast<HWND>(window_), kLoginUserField); }

std::string Win32LoginWindow::enteredPassword() {
  return controlText(static_cast<HWND>(window_), kLoginPasswordField);
}

void Win32LoginWindow::clearLoginFields() {
  HWND window = static_cast<HWND>(window_);
  if (!window) return;
  SetDlgItemTextA(window, kLoginUserField, "");
  SetDlgItemTextA(window, kLoginPasswordField, "");
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
