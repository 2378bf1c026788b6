#include "run/install_steps.h"

#include "install/updater_language.h"
#include "system/script_file.h"
#include "system/shortcuts.h"
#include "system/uninstall_entry.h"

namespace qv {

void setUpInstalledProduct(const RunContext& context, RunSettings& settings, const InterfaceTexts& texts,
                           InstallServices& install, const std::string& installFolder, bool desktop,
                           UninstallLogRun& logRun, InstallStepView& view) {
  if (writeUpdaterLanguageFile(context.tempFolder, context.languageFileName, installFolder))
    listUpdaterFiles(logRun.productFiles);
  // The product can be removed from the system's program list.
  writeProductUninstallEntry(install.registry(), settings, installFolder);
  // The log names the link, so that the uninstaller removes it.
  if (desktop) {
    view.beginStep(TextId::InstallMsg2);
    logRun.desktopIcon = createDesktopShortcut(install.shellLinks(), install.folders(), installFolder, settings);
  }
  if (settings.startMenu) {
    view.beginStep(TextId::InstallMsg3);
    createStartMenuShortcuts(install.shellLinks(), install.folders(), texts, installFolder, settings);
  }
  view.linksMade();

  view.beginStep(TextId::InstallMsg6);
  UndoList undo = runUserTasksOfRun(context, settings, installFolder, install);

  logRun.installFolder = installFolder;
  logRun.loggedOnAsAdministrator = context.logon.impersonating;
  logRun.startMenuLinksMade = settings.startMenu != 0;
  writeUninstallLog(logRun, settings, texts, undo);
}

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
