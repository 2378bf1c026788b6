// The system's folders and version through the kernel and the shell.
#pragma once

#include "system/shell_folders.h"

namespace qv {

class Win32ShellFolders final : public ShellFolders {
 public:
  std::string systemFolder() override;
  std::string windowsFolder() override;
  std::string shellFolder(int code) override;
  uint32_t systemVersion() override;
};

}  // namespace qv
