#include "driver/quiet_run.h"

#include "driver/product_package.h"
#include "driver/run_end.h"
#include "handoff/uninstall_log.h"
#include "handoff/updater_language.h"
#include "integration/privileges.h"
#include "integration/script_file.h"
#include "integration/shortcuts.h"
#include "integration/uninstall_entry.h"
#include "integration/user_tasks.h"
#include "package/extract_names.h"

namespace qv {
namespace {

// A product file that cannot be created offers the administrator logon, whose token
// the run keeps for the uninstall log and the end of the run.
class QuietExtractionHooks final : public ExtractionHooks {
 public:
  QuietExtractionHooks(RunContext& context, const InterfaceTexts& texts, StartServices& system)
      : context_(context), texts_(texts), system_(system) {}
  bool offerAdministratorLogon() override {
    return qv::offerAdministratorLogon(system_.privileges(), system_.loginWindow(), texts_, context_.logonToken,
                                       context_.impersonating);
  }

 private:
  RunContext& context_;
  const InterfaceTexts& texts_;
  StartServices& system_;
};

}  // namespace

void installQuietly(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system,
                    InstallServices& install) {
  // A run that could not make a temporary folder has no setup package: its setup
  // description would be a setup.ini of the current folder, and the defaults alone
  // would put an uninstall log into the Program Files folder itself.
  if (context.tempFolder.empty()) return;
  readInstallSettings(context.setupDescriptionPath, context.installFolderOverride, context.startMenuOverride,
                      install.registry(), install.folders(), settings);
  context.reboot = settings.reboot != 0;
  // The start-menu path is formed whether or not start-menu links are made: the
  // user tasks' start-menu links, the uninstall log and the script all name it.
  completeStartMenuFolderName(settings);
  formStartMenuPath(settings, install.folders());

  const std::string installFolder = withTrailingBackslash(settings.installFolder);
  system.setEnvironmentVariable("InstallDir", installFolder);

  QuietExtractionHooks hooks(context, texts, system);
  extractProductPackage(productPackagePath(context.stubPath, context.tempFolder, settings.split != 0),
                        installFolder, settings.noCopyExt, nullptr, hooks);
  writeUpdaterLanguageFile(context.tempFolder, context.languageFileName, installFolder);
  writeProductUninstallEntry(install.registry(), settings, installFolder);

  if (settings.desktopIcon != 0) createDesktopShortcut(install.shellLinks(), install.folders(), installFolder, settings);
  if (settings.startMenu)
    createStartMenuShortcuts(install.shellLinks(), install.folders(), texts, context.setupDescriptionPath,
                             installFolder, settings);

  UserTaskValues values;
  values.setupDescriptionPath = context.setupDescriptionPath;
  values.installFolder = installFolder;
  values.startMenuPath = settings.startMenuPath;
  values.tempFolder = context.tempFolder;
  values.primaryLanguage = context.primaryLanguage;
  UndoList undo = runUserTasks(values, install.folders(), install.userTaskActions());

  // The log's DesktopIcon stays empty after a quiet run, even with a desktop link.
  UninstallLogRun logRun;
  logRun.installFolder = installFolder;
  logRun.loggedOnAsAdministrator = context.impersonating;
  writeUninstallLog(logRun, settings, texts, undo);

  if (!settings.scriptFile.empty()) {
    ScriptConstants constants;
    constants.progDir = installFolder;
    constants.setupDir = context.tempFolder;
    constants.startMenuDir = settings.startMenuPath;
    constants.guid = settings.guid;
    runScriptFile(context.tempFolder + settings.scriptFile, constants, install.scriptHost());
  }

  // The quiet run is never cancelled and starts no program at its end.
  endInstallation(context, settings, system.processes(), install.restartPrompt(), false, installFolder);
}

void runQuietInstall(RunContext& context, RunSettings& settings, const InterfaceTexts& texts,
                     StartServices& system) {
  InstallServices* install = system.installServices(context, texts);
  if (install)
    installQuietly(context, settings, texts, system, *install);
  else
    removeTempFolder(context);
}

}  // namespace qv
