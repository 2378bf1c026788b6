#include "win32/associations_win32.h"

#include <windows.h>

namespace qv {
namespace {

// The foreground window when this process owns it; a box owned by it keeps the
// installer's window from taking input meanwhile.
HWND ownWindowInFront() {
  HWND window = GetForegroundWindow();
  if (!window) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId() ? window : nullptr;
}

}  // namespace

bool Win32AssociationQuestion::confirmAssociation(const std::string& caption, const std::string& text) {
  return MessageBoxA(ownWindowInFront(), text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace qv
