// The start of a run after the setup package is unpacked: the setup description,
// the language and the interface texts, the running-program guard and the before
// task.
#pragma once

#include "run/run_context.h"
#include "run/start_services.h"
#include "setup/run_settings.h"
#include "texts/interface_texts.h"

namespace qv {

// The fixed texts of the damaged-installation box, shown when the before task's
// program is missing.
inline constexpr char kDamagedCaption[] = " Quarvel  -  Error";
inline constexpr char kDamagedMessage[] = "The installation is damaged or some files are missing.   ";

// Reads the setup description, chooses the language file (the chooser when the
// user's language is not in the list; in a quiet run the list's first entry) and fills
// the texts from it.
void readDescriptionAndTexts(RunContext& context, RunSettings& settings, InterfaceTexts& texts,
                             StartServices& system);

// The running-program guard. False when the user chose Cancel, or the product runs in a
// quiet run (which answers Cancel without asking): the temporary folder is removed and
// the run ends.
bool passRunningGuard(RunContext& context, const RunSettings& settings, const InterfaceTexts& texts,
                      StartServices& system);

enum class BeforeTaskOutcome {
  GoOn,     // no before task, not selected, ended with another code than 1, or not started
  Damaged,  // its program is missing: the damaged-installation box was shown
  Stopped,  // it ended with exit code 1
};

// Starts the before task in the temporary folder and waits for it. The run ends,
// its temporary folder kept, unless the outcome is GoOn. A quiet run shows no box for a
// missing program; the outcome records either end for the exit code.
BeforeTaskOutcome runBeforeTask(RunContext& context, const RunSettings& settings, StartServices& system);

}  // namespace qv
