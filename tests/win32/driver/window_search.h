// Finding the top-level windows of the programs under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qv {

// The given processes and all their descendants (children started by them, and
// so on), from one snapshot of the process list. Wine's own service processes
// (the desktop's explorer.exe and the like) are left out even when a program
// under test happened to start them: they serve every program of the prefix.
std::vector<DWORD> listProcessTree(const std::vector<DWORD>& roots);

struct WindowMatch {
  std::string caption;
  bool prefix = false;  // the caption only has to begin with `caption`
};

// Visible top-level windows whose caption matches, belonging to one of `processes`
// (any process when the list is empty), in z-order (topmost first).
std::vector<HWND> findTopWindows(const WindowMatch& match, const std::vector<DWORD>& processes);

// Captions of all visible top-level windows of `processes` (any when empty), for
// telling what was found instead.
std::vector<std::string> listTopCaptions(const std::vector<DWORD>& processes);

// Whether any process of the prefix (or the machine) runs a program file of this
// name, compared without regard to letter case.
bool processNamed(const std::string& fileName);

// A window's own caption (for top-level windows no message is sent).
std::string readCaption(HWND window);

}  // namespace qv
