// Real input: mouse clicks and key presses through the system's input queue, as a
// user would give them, for programs that react to input rather than to messages.
#pragma once

#include <windows.h>

#include <string>

namespace qv {

// Brings the top-level window to the front and gives it the input focus.
bool bringToFront(HWND top, std::string& why);

// Moves the mouse to the centre of `control` and clicks the left button there.
bool clickAtCentre(HWND control, std::string& why);

// Presses and releases a key on the foreground window: a name such as RETURN,
// ESCAPE, TAB, SPACE, UP, DOWN, LEFT, RIGHT, HOME, END, DELETE, BACK, F1..F12, a
// single letter or digit, optionally after modifiers ALT+, CTRL+, SHIFT+
// (e.g. ALT+F4).
bool pressKey(HWND top, const std::string& name, std::string& why);

// The virtual-key code for a key name (without modifiers), 0 when unknown.
WORD keyCodeFor(const std::string& name);

}  // namespace qv
