// The small kit the stub's own windows are built with: a window class, a window of a
// given client size placed on the screen or an owner, controls by number, kind,
// rectangle and font, fonts in points scaled by the screen, and the modal wait that
// takes the events of every window while one answers.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "texts/interface_texts.h"

namespace qv {

// Registers a class of the program's windows (arrow cursor, button-face background);
// true also when it was registered before.
bool registerWindowClass(const char* className, WNDPROC procedure);

// Where a window's state lives: the pointer given to createSizedWindow, kept with the
// window from WM_NCCREATE on. Null for the first messages before it.
template <typename State>
State* windowState(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

enum class Placement {
  Screen,        // centred on the screen
  ActiveWindow,  // centred on this thread's active window, else on the screen
};

// A top-level window, created hidden, whose client area is `width` x `height` with the
// frame `style` gives it, centred as `placement` says, owned by `owner` (or none).
// Its title bar shows the caption after a blank, as every window of the programs does.
// `state` reaches the procedure through windowState.
HWND createSizedWindow(const char* className, std::string_view caption, DWORD style, int width, int height,
                       Placement placement, void* state, HWND owner = nullptr);

// A child control, shown: its number (the identifier events name it by), window class,
// text, style (WS_CHILD and WS_VISIBLE are added), place in client coordinates and font
// (the system's default GUI font when none is given).
struct ControlLayout {
  int number;
  const char* className;
  const char* text;
  DWORD style;
  int x, y, width, height;
  HFONT font = nullptr;
  DWORD exStyle = 0;
};
HWND createControl(HWND parent, const ControlLayout& layout);

// A control of a window's fixed table, in the default GUI font, with the interface text
// it shows (TextId::Count for none).
struct TextedControl {
  unsigned char number;
  TextId text;
  short x, y, width, height;
  const char* className;
  DWORD style;
  DWORD exStyle;
};

// Creates the table's controls in order; false when one of them cannot be made.
bool createTextedControls(HWND parent, const TextedControl* controls, size_t count, const InterfaceTexts& texts);

// A font of `points` in the face named, its height scaled by the screen's vertical
// dots per inch. The caller deletes it.
HFONT createPointFont(const char* face, int points, bool bold);

// The window's text of a control.
std::string controlText(HWND window, int number);
void setControlText(HWND window, int number, const char* text);

// How a modal wait treats what is not its window's business.
struct WaitRules {
  bool ignoreOtherInput = false;  // drop what the user does in other windows (they still repaint)
  bool endsOnQuit = true;         // a quit request ends the wait; else the window keeps waiting
};

// Takes and dispatches the events of every window until `done(context)` holds; the
// dialog keys (Tab, Return) work in `window`. A quit request is passed on to the loop
// that owns it once the wait is over. False when the wait ended without `done`.
bool waitForWindowUntil(HWND window, WaitRules rules, bool (*done)(const void* context), const void* context);

// The same with any condition: one loop for every window, whatever it waits for.
template <typename Done>
bool waitForWindow(HWND window, WaitRules rules, const Done& done) {
  return waitForWindowUntil(
      window, rules, [](const void* context) { return (*static_cast<const Done*>(context))(); }, &done);
}

// The input events that a modal wait drops for the other windows.
bool isInputMessage(UINT message);

}  // namespace qv
