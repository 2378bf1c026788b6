#include "run/run_start_steps.h"

#include "run/run_end.h"
#include "run/task_selector.h"
#include "runtime/file.h"
#include "setup/setup_description.h"
#include "system/running_guard.h"
#include "texts/language_choice.h"

namespace qv {

void readDescriptionAndTexts(RunContext& context, RunSettings& settings, InterfaceTexts& texts,
                             StartServices& system) {
  // Without a folder of the run's own nothing was unpacked, and the description path
  // would name a file relative to whatever the current folder is.
  if (!context.tempFolder.empty()) readSetupDescription(context.setupDescriptionPath, settings);
  // A quiet run cannot ask: where the user's language is not in the list, it takes the
  // entry the chooser would show first.
  FirstLanguageChooser firstEntry;
  LanguageChooser& chooser = context.quiet ? static_cast<LanguageChooser&>(firstEntry) : system.languageChooser();
  LanguageChoice choice = chooseLanguageFile(settings.language, system.userDefaultLanguageId(), chooser);
  context.languageFileName = choice.fileName;
  context.primaryLanguage = choice.primaryLanguage;
  // Without a file name (or a folder of the run's own) there is nothing to read, and
  // the defaults take the title and version alone.
  std::string path = choice.fileName.empty() || context.tempFolder.empty() ? std::string()
                                                                           : context.tempFolder + choice.fileName;
  texts.loadInterfaceTexts(path, settings.title, settings.version);
}

bool passRunningGuard(RunContext& context, const RunSettings& settings, const InterfaceTexts& texts,
                      StartServices& system) {
  if (context.quiet) {
    // The warning answered Cancel: a running product's files are never overwritten.
    context.running = isProductRunning(system.runningPrograms(), settings.mutexString, settings.progExe);
    context.outcome.productRunning = context.running;
  } else if (guardRunningProduct(system.runningPrograms(), texts, settings.mutexString, settings.progExe,
                                 settings.title, context.running)) {
    return true;
  }
  if (!context.running) return true;
  removeTempFolder(context);
  return false;
}

BeforeTaskOutcome runBeforeTask(RunContext& context, const RunSettings& settings, StartServices& system) {
  if (settings.beforeSetup.empty()) return BeforeTaskOutcome::GoOn;
  std::string program = context.tempFolder + settings.beforeSetup;
  if (context.tempFolder.empty() || !fileExists(program)) {
    if (context.quiet)
      context.outcome.setupDamaged = true;
    else
      system.showError(kDamagedCaption, kDamagedMessage);
    return BeforeTaskOutcome::Damaged;
  }
  if (!beforeTaskRuns(context.taskSelector, settings.prgFlag)) return BeforeTaskOutcome::GoOn;
  Processes& processes = system.processes();
  StartedProcess started =
      processes.startProcess(program, settings.beforeParam, context.tempFolder, kProcessWait | kProcessKeep);
  if (!started.record) return BeforeTaskOutcome::GoOn;  // not started: nothing to report
  uint32_t exitCode = processes.processExitCode(started.record);
  processes.releaseProcess(started.record);
  if (exitCode != 1) return BeforeTaskOutcome::GoOn;
  context.outcome.stoppedByBeforeTask = true;
  return BeforeTaskOutcome::Stopped;
}

}  // namespace qv
