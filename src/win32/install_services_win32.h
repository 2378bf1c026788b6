// The installation's system parts on Windows, made for one run and released with it.
#pragma once

#include <memory>

#include "install/user_tasks_actions.h"
#include "run/install_services.h"
#include "run/start_run.h"
#include "system/special_folders.h"
#include "win32/associations_win32.h"
#include "win32/checked_copy_win32.h"
#include "win32/registry_win32.h"
#include "win32/restart_prompt_win32.h"
#include "win32/shell_folders_win32.h"
#include "win32/shortcuts_win32.h"

namespace qv {

class Win32InstallServices final : public InstallServices {
 public:
  // Creates the script host (it needs COM, which the start of the run initialised).
  // `wizardWindow` holds the wizard's window once it is built (none in the quiet run).
  Win32InstallServices(RunContext& context, StartServices& system, const InterfaceTexts& texts,
                       const HWND* wizardWindow);
  // Releases the script host.
  ~Win32InstallServices();
  Win32InstallServices(const Win32InstallServices&) = delete;
  Win32InstallServices& operator=(const Win32InstallServices&) = delete;

  Registry& registry() override { return registry_; }
  FolderLookup& folders() override { return folders_; }
  ShellLinks& shellLinks() override { return links_; }
  UserTaskActions& userTaskActions() override { return taskActions_; }
  ScriptHost* scriptHost() override { return scriptHost_.get(); }
  RestartPrompt& restartPrompt() override { return restartPrompt_; }

 private:
  Win32Registry registry_;
  Win32ShellFolders shellFolders_;
  SpecialFolders folders_;
  Win32ShellLinks links_;
  Win32CopyServices copies_;
  RunCopyPolicy copyPolicy_;
  Win32AssociationQuestion question_;
  InstallerTaskActions taskActions_;
  std::unique_ptr<ScriptHost> scriptHost_;
  Win32RestartPrompt restartPrompt_;
};

}  // namespace qv
