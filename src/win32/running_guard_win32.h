// The running-program guard's system calls on Windows: the process list through the
// tool-help functions looked up by name, the mutex test, and the warning box.
#pragma once

#include "system/running_guard.h"

namespace qv {

class Win32RunningPrograms : public RunningPrograms {
 public:
  bool listProcessNames(std::vector<std::string>& names) override;
  // A mutex that exists but may not be opened (access denied) exists too.
  bool mutexExists(const std::string& name) override;
  // MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2, owned by the active window.
  bool confirmRunningProgram(const std::string& caption, const std::string& text) override;
};

}  // namespace qv
