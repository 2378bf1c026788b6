#include "run/setup_run.h"

#include "run/quiet_run.h"
#include "run/run_end.h"
#include "run/run_start_steps.h"
#include "run/start_run.h"
#include "run/wizard_run.h"

namespace qv {

namespace {

RunEnd runUntilTheEnd(RunContext& context, RunSettings& settings, InterfaceTexts& texts, StartServices& system) {
  startRun(context, system, texts);
  readDescriptionAndTexts(context, settings, texts, system);
  if (!passRunningGuard(context, settings, texts, system)) return RunEnd::GuardCancelled;
  switch (runBeforeTask(context, settings, system)) {
    case BeforeTaskOutcome::Damaged: return RunEnd::BeforeTaskMissing;
    case BeforeTaskOutcome::Stopped: return RunEnd::BeforeTaskStopped;
    case BeforeTaskOutcome::GoOn: break;
  }
  if (context.quiet) {
    runQuietInstall(context, settings, texts, system);
    return RunEnd::QuietRun;
  }
  runWizard(context, settings, texts, system);
  return RunEnd::WizardRun;
}

}  // namespace

RunEnd runSetup(RunContext& context, RunSettings& settings, InterfaceTexts& texts, StartServices& system) {
  RunEnd end = runUntilTheEnd(context, settings, texts, system);
  endRun(context, system);
  return end;
}

}  // namespace qv
