// The quiet run (/Q): the installation without the wizard, in its own order. It shows
// no window of its own and writes no state key; it makes the uninstall entry, which
// the wizard run does not.
#pragma once

#include "run/install_services.h"
#include "run/run_context.h"
#include "run/start_services.h"
#include "setup/run_settings.h"
#include "texts/interface_texts.h"

namespace qv {

// The whole quiet run with the given services: the install settings, the product
// package into the install folder, the updater language file, the uninstall entry,
// the desktop and start-menu shortcuts, the user tasks, the uninstall log and the
// script, then the after task, the temporary folder removed and the restart asked for.
// Nothing at all without a temporary folder, which holds the setup package, and
// nothing after the product package when it cannot be opened. It asks nobody; the
// context's outcome records what its exit code tells.
void installQuietly(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system,
                    InstallServices& install);

// The quiet run with the services `system` hands out. Without any, nothing is
// installed and only the temporary folder is removed.
void runQuietInstall(RunContext& context, RunSettings& settings, const InterfaceTexts& texts,
                     StartServices& system);

}  // namespace qv
