// The wizard run (the default): the wizard window leads the user through the pages,
// the install run works when Install is pressed, and the run ends with the after
// task, the temporary folder removed, and the restart prompt or the program started.
#pragma once

#include "run/install_services.h"
#include "run/run_context.h"
#include "run/start_services.h"
#include "setup/run_settings.h"
#include "texts/interface_texts.h"
#include "wizard/wizard_window.h"

namespace qv {

// The whole wizard run with the given window and services: the window built and
// prepared, the event loop, the install run on Install, the window closed, then the
// end of the run. When the window cannot be built the run goes straight to its end.
void runWizardWith(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system,
                   WizardWindow& window, InstallServices& install);

// The wizard run with the window and services `system` hands out; without them only
// the end of the run.
void runWizard(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system);

}  // namespace qv
