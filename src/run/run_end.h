// The end of a run: the after task, the temporary folder removed, then the restart
// prompt or the start of the installed program; and what the run acquired released
// before the process exits (always with exit code 0).
#pragma once

#include <string>

#include "run/restart_prompt.h"
#include "run/run_context.h"
#include "run/start_services.h"
#include "setup/run_settings.h"
#include "system/processes.h"

namespace qv {

// How long the removal of the temporary folder keeps trying while something holds it.
constexpr unsigned kTempFolderPatience = 2000;

// Removes the run's temporary folder with everything in it, trying again for a moment
// while a program that has just ended still holds it; nothing when the path is empty.
void removeTempFolder(const RunContext& context);

// When AfterSetup names a file of the temporary folder and the task selector asks for
// it (1 or 3, and the wizard was not cancelled): starts it with AfterParam in the
// temporary folder and waits until it ends. True when it was started.
bool runAfterTask(const RunContext& context, const RunSettings& settings, Processes& processes);

// After the installation (both run modes): the after task, the temporary folder
// removed, then the restart prompt when the run's reboot flag is set (a quiet run
// asks its caller through the exit code instead); otherwise, with
// `startProgram`, install folder + ProgExe when it exists, started in the install
// folder without waiting.
void endInstallation(RunContext& context, const RunSettings& settings, Processes& processes,
                     RestartPrompt& restart, bool startProgram, const std::string& installFolder);

// The quiet run's exit codes; documented for deployment tools in the README.
constexpr uint32_t kExitInstalled = 0;
constexpr uint32_t kExitStoppedByBeforeTask = 1;
constexpr uint32_t kExitSetupDamaged = 2;
constexpr uint32_t kExitPartFailed = 3;
constexpr uint32_t kExitProductRunning = 4;
constexpr uint32_t kExitRestartRequired = 3010;  // what deployment tools know as "restart required"

// The exit code: 0 for a wizard run, which always ends so; for a quiet run the first
// that applies of running product, stopped, damaged, a part failed, restart required,
// installed.
uint32_t runExitCode(const RunOutcome& outcome, bool quiet);

// Releases the kept programs, ends an impersonation still held and the services.
void endRun(RunContext& context, StartServices& system);

}  // namespace qv
