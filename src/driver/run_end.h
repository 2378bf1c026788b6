// The end of a run: the after task, the temporary folder removed, then the restart
// prompt or the start of the installed program; and what the run acquired released
// before the process exits (always with exit code 0).
#pragma once

#include <string>

#include "driver/restart_prompt.h"
#include "driver/run_context.h"
#include "driver/setup_description.h"
#include "driver/start_services.h"
#include "integration/processes.h"

namespace qv {

// Removes the run's temporary folder with everything in it; nothing when the path
// is empty.
void removeTempFolder(const RunContext& context);

// When AfterSetup names a file of the temporary folder and the task selector asks for
// it (1 or 3, and the wizard was not cancelled): starts it with AfterParam in the
// temporary folder and waits until it ends. True when it was started.
bool runAfterTask(const RunContext& context, const RunSettings& settings, Processes& processes);

// After the installation (both run modes): the after task, the temporary folder
// removed, then the restart prompt when the run's reboot flag is set; otherwise, with
// `startProgram`, install folder + ProgExe when it exists, started in the install
// folder without waiting.
void endInstallation(const RunContext& context, const RunSettings& settings, Processes& processes,
                     RestartPrompt& restart, bool startProgram, const std::string& installFolder);

// Releases the kept programs, ends an impersonation still held and the services.
void endRun(RunContext& context, StartServices& system);

}  // namespace qv
