// The steps of an installation that the quiet run and the wizard run take alike: the
// user tasks and the script file, with the run's values.
#pragma once

#include <string>

#include "install/user_tasks.h"
#include "run/install_services.h"
#include "run/run_context.h"
#include "setup/run_settings.h"

namespace qv {

// Runs the task list of the setup description for an installation into `installFolder`;
// the undo records the tasks left.
UndoList runUserTasksOfRun(const RunContext& context, const RunSettings& settings, const std::string& installFolder,
                           InstallServices& install);

// Runs the setup's script file with the run's constants; false when it was not handed
// to the script host.
bool runScriptOfRun(const RunContext& context, const RunSettings& settings, const std::string& installFolder,
                    InstallServices& install);

}  // namespace qv
