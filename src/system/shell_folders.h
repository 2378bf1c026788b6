// The system calls behind the special folders: the system and Windows folders, the
// shell's folders by number, and the system version. The Windows implementation is
// win32/shell_folders_win32.h; tests pass their own.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

class ShellFolders {
 public:
  // As the system reports them (no trailing backslash promised); empty on failure.
  virtual std::string systemFolder() = 0;
  virtual std::string windowsFolder() = 0;
  // The shell folder with this CSIDL number; empty when the shell does not know it.
  virtual std::string shellFolder(int code) = 0;
  // The system's packed version number (GetVersion).
  virtual uint32_t systemVersion() = 0;

 protected:
  ~ShellFolders() = default;
};

}  // namespace qv
