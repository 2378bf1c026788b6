// The wizard run (the default): the wizard window leads through the installation.
#pragma once

#include "run/run_context.h"
#include "run/start_services.h"
#include "setup/run_settings.h"
#include "texts/interface_texts.h"

namespace qv {

// Not yet a wizard: until the wizard window exists this only removes the temporary
// folder, so a run leaves nothing behind.
void runWizard(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system);

}  // namespace qv
