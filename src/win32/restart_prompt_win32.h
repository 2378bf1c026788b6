// The restart prompt through setupapi's SetupPromptReboot, looked up when it is
// needed so the stub loads the library only in runs that ask for a restart.
#pragma once

#include "run/restart_prompt.h"

namespace qv {

class Win32RestartPrompt final : public RestartPrompt {
 public:
  void promptRestart() override;
};

}  // namespace qv
