#include "win32/language_chooser_win32.h"

#include <windows.h>

namespace qv {
namespace {

const char kClassName[] = "QuarvelLanguageChooser";
const DWORD kStyle = WS_POPUP | WS_CAPTION;  // a title bar, but no system menu

struct ChooserState {
  HWND list = nullptr;
  bool done = false;
  int chosen = -1;
};

LRESULT CALLBACK chooserProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<ChooserState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state) {
    if (message == WM_COMMAND && LOWORD(wParam) == kChooserOkButton && HIWORD(wParam) == BN_CLICKED) {
      LRESULT selected = SendMessageA(state->list, CB_GETCURSEL, 0, 0);
      if (selected != CB_ERR) {
        state->chosen = int(selected);
        state->done = true;
      }
      return 0;
    }
    if (message == WM_CLOSE) {
      state->done = true;  // the window goes once the wait has ended
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool registerChooserClass(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = chooserProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createControl(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w, int h,
                   int number, HINSTANCE instance) {
  HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), instance, nullptr);
  if (control) SendMessageA(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

}  // namespace

bool Win32LanguageChooser::chooseLanguage(const std::vector<std::string>& items, size_t& chosen) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registerChooserClass(instance)) return false;

  RECT frame = {0, 0, 140, 55};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  ChooserState state;
  // Opened hidden and shown once its controls are in place.
  HWND window = CreateWindowExA(0, kClassName, " Quarvel", kStyle, x, y, width, height, nullptr, nullptr, instance,
                                &state);
  if (!window) return false;
  state.list = createControl(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 5, 5, 130, 200,
                             kChooserLanguageList, instance);
  HWND ok = createControl(window, "BUTTON", "OK", BS_DEFPUSHBUTTON, 40, 32, 60, 18, kChooserOkButton, instance);
  if (!state.list || !ok) {
    DestroyWindow(window);
    return false;
  }
  for (const std::string& item : items) SendMessageA(state.list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (!items.empty()) SendMessageA(state.list, CB_SETCURSEL, 0, 0);

  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(state.list);

  MSG message;
  while (!state.done) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(int(message.wParam));  // leave the quit request to the caller's loop
      break;
    }
    if (got == -1) break;
    if (IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DestroyWindow(window);

  if (state.chosen < 0 || size_t(state.chosen) >= items.size()) return false;
  chosen = size_t(state.chosen);
  return true;
}

}  // namespace qv
