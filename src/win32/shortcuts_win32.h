// The shell's link object (IShellLinkA saved through IPersistFile).
#pragma once

#include "system/shortcuts.h"

namespace qv {

class Win32ShellLinks final : public ShellLinks {
 public:
  // Pairs its own CoInitialize with a CoUninitialize around each link.
  int saveShellLink(const ShortcutFields& fields) override;
};

}  // namespace qv
