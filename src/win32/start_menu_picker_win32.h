// The start-menu folder picker on Windows, window 2: caption " " + Requester/RQ3_Titel,
// title bar with system menu, client area 250 x 350, owned by the wizard and centred
// on it, the wizard disabled while it is open.
//
// Control numbers:
//   38  the tree of folders          39  Apply (Buttons/Apply)
//   40  Requester/RQ3_User           41  Requester/RQ3_AllUsers
#pragma once

#include <windows.h>

#include <string>

#include "texts/interface_texts.h"

namespace qv {

constexpr int kPickerTree = 38;
constexpr int kPickerApply = 39;
constexpr int kPickerCurrentUser = 40;
constexpr int kPickerAllUsers = 41;

inline constexpr char kStartMenuPickerClass[] = "QuarvelStartMenuPicker";

// Runs the picker: the current user's folders first, the item the field names
// selected. Returns the picked folder relative to its Programs folder, "|" and that
// Programs folder (of the scope selected at Apply), or empty when it was closed or
// cannot be opened. Apply without a selection shows the RQ1 box and goes on waiting.
std::string pickStartMenuFolder(HWND wizard, const std::string& fieldText, const std::string& userPrograms,
                                const std::string& commonPrograms, const InterfaceTexts& texts);

}  // namespace qv
