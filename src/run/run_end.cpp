#include "run/run_end.h"

#include "run/task_selector.h"
#include "runtime/file.h"
#include "runtime/folder_removal.h"

namespace qv {

void removeTempFolder(const RunContext& context) {
  // The before and after tasks ran in the folder: give the system a moment to let go.
  if (!context.tempFolder.empty()) removeFolderTree(context.tempFolder, kTempFolderPatience);
}

bool runAfterTask(const RunContext& context, const RunSettings& settings, Processes& processes) {
  if (settings.afterSetup.empty() || !afterTaskRuns(context.taskSelector, context.cancelled)) return false;
  std::string file = context.tempFolder + settings.afterSetup;
  if (!fileExists(file)) return false;
  StartedProcess started =
      processes.startProcess(file, settings.afterParam, context.tempFolder, kProcessWait | kProcessKeep);
  if (started.record) processes.releaseProcess(started.record);
  return started.started;
}

void endInstallation(RunContext& context, const RunSettings& settings, Processes& processes,
                     RestartPrompt& restart, bool startProgram, const std::string& installFolder) {
  runAfterTask(context, settings, processes);
  removeTempFolder(context);
  if (context.reboot) {
    // Unattended, the restart is the deployment tool's to make: the exit code asks for it.
    if (context.quiet)
      context.outcome.restartRequired = true;
    else
      restart.promptRestart();
    return;
  }
  if (startProgram && !settings.progExe.empty() && fileExists(installFolder + settings.progExe))
    processes.startProcess(installFolder + settings.progExe, "", installFolder, 0);
}

uint32_t runExitCode(const RunOutcome& outcome, bool quiet) {
  if (!quiet) return kExitInstalled;
  if (outcome.productRunning) return kExitProductRunning;
  if (outcome.stoppedByBeforeTask) return kExitStoppedByBeforeTask;
  if (outcome.setupDamaged) return kExitSetupDamaged;
  if (outcome.partFailed) return kExitPartFailed;
  if (outcome.restartRequired) return kExitRestartRequired;
  return kExitInstalled;
}

void endRun(RunContext& context, StartServices& system) {
  system.processes().releaseAllProcesses();
  if (context.logon.token) {
    system.privileges().endImpersonation(context.logon.token);
    context.logon.token = nullptr;
  }
  system.releaseServices();
}

}  // namespace qv
