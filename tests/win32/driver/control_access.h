// Reading and changing the controls of another process's window. Every message is
// sent with a timeout, so a hung program fails the step instead of the driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qv {

// The control with this number (its control ID) among the descendants of
// `window`; direct children are preferred. Number 0 is the window itself. Only the
// low 16 bits of IDs are compared, as dialog templates keep IDs in 16 bits (the
// message-box text is control 65535, also seen as -1).
HWND findControl(HWND window, long number);

// The window class, e.g. "Button", "ComboBox", "ListBox", "Edit", "Static".
std::string readClassName(HWND control);

// WM_GETTEXT; false when the program does not answer.
bool readText(HWND control, std::string& text);

// WM_SETTEXT.
bool writeText(HWND control, const std::string& text);

// The items of a combo box or list box, in order, or of a tree view, depth first, each
// as the path of item texts from the root joined by "\\"; false (with `why`) for other
// controls.
bool readItems(HWND control, std::vector<std::string>& items, std::string& why);

// Selects item `index` of a combo box or list box and tells the owner window as a
// user's choice would (WM_COMMAND with CBN_SELCHANGE or LBN_SELCHANGE); of a tree view,
// the item of that place in the order of readItems.
bool selectItem(HWND control, long index, std::string& why);

// The index of the selected item, or -1.
bool readSelection(HWND control, long& index, std::string& why);

// BM_GETCHECK: 1 for checked, 0 for unchecked, 2 for indeterminate.
bool readCheck(HWND control, long& state);

// BM_CLICK. A click that opens a modal window keeps the program busy; the click
// counts as delivered when the program has not finished it within a moment.
bool clickButton(HWND control, std::string& why);

}  // namespace qv
