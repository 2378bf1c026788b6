#include "driver/run_end.h"

#include "driver/task_selector.h"
#include "runtime/file.h"
#include "runtime/folder_removal.h"

namespace qv {

void removeTempFolder(const RunContext& context) {
  if (!context.tempFolder.empty()) removeFolderTree(context.tempFolder);
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

void endInstallation(const RunContext& context, const RunSettings& settings, Processes& processes,
                     RestartPrompt& restart, bool startProgram, const std::string& installFolder) {
  runAfterTask(context, settings, processes);
  removeTempFolder(context);
  if (context.reboot) {
    restart.promptRestart();
    return;
  }
  if (startProgram && !settings.progExe.empty() && fileExists(installFolder + settings.progExe))
    processes.startProcess(installFolder + settings.progExe, "", installFolder, 0);
}

void endRun(RunContext& context, StartServices& system) {
  system.processes().releaseAllProcesses();
  if (context.logonToken) {
    system.privileges().endImpersonation(context.logonToken);
    context.logonToken = nullptr;
  }
  system.releaseServices();
}

}  // namespace qv
