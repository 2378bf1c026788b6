// The steps of an installation that the quiet run and the wizard run take alike: what
// follows the product's files, the user tasks and the script file, with the run's
// values.
#pragma once

#include <string>

#include "install/uninstall_log.h"
#include "install/user_tasks.h"
#include "run/install_services.h"
#include "run/run_context.h"
#include "setup/run_settings.h"
#include "texts/interface_texts.h"

namespace qv {

// What a run shows of the steps after the files (the wizard a line each); the base
// shows nothing.
class InstallStepView {
 public:
  // The step named by `line` (an Install text) begins.
  virtual void beginStep(TextId line) { (void)line; }
  // The links are made, before the user tasks run (the wizard writes its state key).
  virtual void linksMade() {}
};

// After the product's files are in `installFolder`: the updater's language file, the
// uninstall entry, the desktop link (with `desktop`), the start-menu links (when the
// settings ask for them), the user tasks and the uninstall log, which `logRun` (holding
// the product's files) completes.
void setUpInstalledProduct(const RunContext& context, RunSettings& settings, const InterfaceTexts& texts,
                           InstallServices& install, const std::string& installFolder, bool desktop,
                           UninstallLogRun& logRun, InstallStepView& view);

// Runs the task list of the setup description for an installation into `installFolder`;
// the undo records the tasks left.
UndoList runUserTasksOfRun(const RunContext& context, const RunSettings& settings, const std::string& installFolder,
                           InstallServices& install);

// Runs the setup's script file with the run's constants; false when it was not handed
// to the script host.
bool runScriptOfRun(const RunContext& context, const RunSettings& settings, const std::string& installFolder,
                    InstallServices& install);

}  // namespace qv
