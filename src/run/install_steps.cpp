#include "run/install_steps.h"

#include "system/script_file.h"

namespace qv {

UndoList runUserTasksOfRun(const RunContext& context, const RunSettings& settings, const std::string& installFolder,
                           InstallServices& install) {
  UserTaskValues values;
  values.setupDescriptionPath = context.setupDescriptionPath;
  values.installFolder = installFolder;
  values.startMenuPath = settings.startMenuPath;
  values.tempFolder = context.tempFolder;
  values.primaryLanguage = context.primaryLanguage;
  return runUserTasks(values, install.folders(), install.userTaskActions());
}

bool runScriptOfRun(const RunContext& context, const RunSettings& settings, const std::string& installFolder,
                    InstallServices& install) {
  ScriptConstants constants;
  constants.progDir = installFolder;
  constants.setupDir = context.tempFolder;
  constants.startMenuDir = settings.startMenuPath;
  constants.guid = settings.guid;
  return runScriptFile(context.tempFolder + settings.scriptFile, constants, install.scriptHost());
}

}  // namespace qv
