// What an installation needs from the system besides what the start of a run uses:
// the registry, the special folders, the shell's links, the user tasks' effects, the
// script host and the restart prompt. win32/install_services_win32.h holds the real
// ones, which StartServices::installServices hands out; tests pass their own.
#pragma once

#include "install/user_tasks.h"
#include "run/restart_prompt.h"
#include "run/run_context.h"
#include "run/start_services.h"
#include "system/registry.h"
#include "system/script_file.h"
#include "system/shortcuts.h"
#include "system/special_folders.h"
#include "texts/interface_texts.h"

namespace qv {

class InstallServices {
 public:
  virtual Registry& registry() = 0;
  virtual FolderLookup& folders() = 0;
  virtual ShellLinks& shellLinks() = 0;
  virtual UserTaskActions& userTaskActions() = 0;
  // Null when the script control could not be created: scripts are then skipped.
  virtual ScriptHost* scriptHost() = 0;
  virtual RestartPrompt& restartPrompt() = 0;

 protected:
  ~InstallServices() = default;
};

}  // namespace qv
