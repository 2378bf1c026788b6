#include "run/wizard_run.h"

#include "run/run_end.h"

namespace qv {

void runWizard(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system) {
  (void)settings;
  (void)texts;
  (void)system;
  removeTempFolder(context);
}

}  // namespace qv
