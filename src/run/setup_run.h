// A whole run of the setup stub, from the command line to the end of the process.
#pragma once

#include "run/run_context.h"
#include "run/start_services.h"
#include "setup/run_settings.h"
#include "texts/interface_texts.h"

namespace qv {

// How a run ended.
enum class RunEnd {
  GuardCancelled,      // Cancel at the running-program warning; temporary folder removed
  BeforeTaskMissing,   // the damaged-installation box; temporary folder kept
  BeforeTaskStopped,   // the before task ended with exit code 1; temporary folder kept
  QuietRun,            // the quiet run ran
  WizardRun,           // the wizard run ran
};

// Prepares the run and unpacks the setup package, reads the setup description and
// the texts, guards against a running product, runs the before task, then the quiet
// run or the wizard run, and releases what the run acquired. The caller exits the
// process with code 0, whichever way the run ended.
RunEnd runSetup(RunContext& context, RunSettings& settings, InterfaceTexts& texts, StartServices& system);

}  // namespace qv
