#include "win32/language_choice_win32.h"

#include <windows.h>

#include "win32/window_kit_win32.h"

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
  if (auto* state = windowState<ChooserState>(window, message, lParam)) {
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

}  // namespace

bool Win32LanguageChooser::chooseLanguage(const std::vector<std::string>& items, size_t& chosen) {
  if (!registerWindowClass(kClassName, chooserProcedure)) return false;
  ChooserState state;
  // Opened hidden and shown once its controls are in place.
  HWND window = createSizedWindow(kClassName, "Quarvel", kStyle, 140, 55, Placement::Screen, &state);
  if (!window) return false;
  static const ControlLayout kList = {kChooserLanguageList, "COMBOBOX", "",
                                      CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 5, 5, 130, 200};
  static const ControlLayout kOk = {kChooserOkButton, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 32, 60, 18};
  state.list = createControl(window, kList);
  HWND ok = createControl(window, kOk);
  if (!state.list || !ok) {
    DestroyWindow(window);
    return false;
  }
  for (const std::string& item : items) SendMessageA(state.list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (!items.empty()) SendMessageA(state.list, CB_SETCURSEL, 0, 0);

  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(state.list);
  waitForWindow(window, WaitRules(), [&] { return state.done; });
  DestroyWindow(window);

  if (state.chosen < 0 || size_t(state.chosen) >= items.size()) return false;
  chosen = size_t(state.chosen);
  return true;
}

}  // namespace qv
