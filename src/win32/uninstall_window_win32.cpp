#include "win32/uninstall_window_win32.h"

#include "win32/window_kit_win32.h"

namespace qv {
namespace {

const char kClassName[] = "QuarvelUninstallWindow";
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK uninstallProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* state = windowState<Win32UninstallWindow::State>(window, message, lParam)) {
    // A click or close request sent from another thread arrives inside the wait for
    // the next message: a posted message of no meaning ends that wait.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == kUninstallOk || LOWORD(wParam) == kUninstallCancel)) {
      if (!state->busy) state->pressed = LOWORD(wParam);
      PostMessageA(window, WM_NULL, 0, 0);
      return 0;
    }
    if (message == WM_CLOSE) {
      if (!state->busy) state->pressed = kUninstallCancel;
      PostMessageA(window, WM_NULL, 0, 0);
      return 0;
    }
    if (message == DM_GETDEFID) return MAKELRESULT(kUninstallOk, DC_HASDEFID);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

Win32UninstallWindow::~Win32UninstallWindow() { closeUninstallWindow(); }

bool Win32UninstallWindow::openUninstallWindow(const InterfaceTexts& texts, const std::string& productName) {
  closeUninstallWindow();
  if (!registerWindowClass(kClassName, uninstallProcedure)) return false;
  state_ = State();
  window_ = createSizedWindow(kClassName, texts.text(TextId::UninstallerTitel), kStyle, 400, 210,
                              Placement::Screen, &state_);
  if (!window_) return false;
  boldFont_ = createPointFont("Arial", 10, true);
  const DWORD text = SS_LEFT | SS_NOPREFIX;
  static const TextedControl kControls[] = {
      {kUninstallMessage, TextId::UninstallerMsg, 15, 12, 370, 30, "STATIC", text, 0},
      {kUninstallInfo, TextId::UninstallerUninstInfo, 15, 48, 370, 15, "STATIC", text, 0},
      {kUninstallProduct, TextId::Count, 30, 68, 355, 20, "STATIC", text, 0},
      {kUninstallDeleteAll, TextId::UninstallerDelAll, 15, 100, 370, 30, "BUTTON",
       BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0},
      {kUninstallStatus, TextId::Count, 15, 142, 370, 15, "STATIC", text | SS_PATHELLIPSIS, 0},
      {kUninstallOk, TextId::UninstallerOk, 200, 175, 85, 24, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
      {kUninstallCancel, TextId::UninstallerCancel, 300, 175, 85, 24, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0},
  };
  if (!createTextedControls(window_, kControls, sizeof(kControls) / sizeof(kControls[0]), texts)) {
    closeUninstallWindow();
    return false;
  }
  // The product's name, in bold, is no interface text.
  setControlText(window_, kUninstallProduct, productName.c_str());
  SendMessageA(GetDlgItem(window_, kUninstallProduct), WM_SETFONT, WPARAM(boldFont_), FALSE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(GetDlgItem(window_, kUninstallOk));
  return true;
}

bool Win32UninstallWindow::waitForConfirmation(bool& deleteAll) {
  if (!window_) return false;
  state_.pressed = 0;
  waitForWindow(window_, WaitRules(), [&] { return state_.pressed != 0; });
  if (state_.pressed != kUninstallOk) return false;
  deleteAll = IsDlgButtonChecked(window_, kUninstallDeleteAll) == BST_CHECKED;
  state_.busy = true;
  for (int control : {kUninstallDeleteAll, kUninstallOk, kUninstallCancel})
    EnableWindow(GetDlgItem(window_, control), FALSE);
  drainEvents();
  return true;
}

void Win32UninstallWindow::showRemovalStep(const std::string& item) {
  if (!window_) return;
  setControlText(window_, kUninstallStatus, item.c_str());
  drainEvents();
}

void Win32UninstallWindow::showCompletion(const InterfaceTexts& texts) {
  if (!window_) return;
  setControlText(window_, kUninstallStatus, texts.text(TextId::UninstallerStatus).c_str());
  HWND ok = GetDlgItem(window_, kUninstallOk);
  SetWindowTextA(ok, texts.text(TextId::UninstallerReady).c_str());
  ShowWindow(GetDlgItem(window_, kUninstallCancel), SW_HIDE);
  EnableWindow(ok, TRUE);
  SetFocus(ok);
  state_.busy = false;
  state_.pressed = 0;
  waitForWindow(window_, WaitRules(), [&] { return state_.pressed != 0; });
}

void Win32UninstallWindow::drainEvents() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      break;
    }
    if (isInputMessage(message.message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32UninstallWindow::closeUninstallWindow() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  if (boldFont_) DeleteObject(boldFont_);
  boldFont_ = nullptr;
}

}  // namespace qv
