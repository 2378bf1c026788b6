#include "run/quiet_run.h"

#include "install/product_package.h"
#include "install/uninstall_log.h"
#include "install/user_tasks.h"
#include "run/install_settings.h"
#include "run/install_steps.h"
#include "run/run_end.h"
#include "runtime/paths.h"
#include "setup/setup_description.h"
#include "system/privileges.h"
#include "system/script_file.h"

namespace qv {
namespace {

// Nobody is asked for a logon in a quiet run (the run declined it at its start); every
// entry that fails is a failure its exit code tells.
class QuietExtractionHooks final : public ExtractionHooks {
 public:
  explicit QuietExtractionHooks(RunOutcome& outcome) : outcome_(outcome) {}
  void onEntryFailed(const PackageEntry& entry, EntryFailure failure) override {
    (void)entry;
    (void)failure;
    outcome_.partFailed = true;
  }

 private:
  RunOutcome& outcome_;
};

}  // namespace

void installQuietly(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system,
                    InstallServices& install) {
  // A run that could not make a temporary folder has no setup package: its setup
  // description would be a setup.ini of the current folder, and the defaults alone
  // would put an uninstall log into the Program Files folder itself.
  if (context.tempFolder.empty()) {
    context.outcome.setupDamaged = true;
    return;
  }
  readInstallSettings(context.setupDescriptionPath, context.installFolderOverride, context.startMenuOverride,
                      install.registry(), install.folders(), settings);
  context.reboot = settings.reboot != 0;
  // The start-menu path is formed whether or not start-menu links are made: the
  // user tasks' start-menu links, the uninstall log and the script all name it.
  completeStartMenuFolderName(settings);
  formStartMenuPath(settings, install.folders());

  const std::string installFolder = withTrailingBackslash(settings.installFolder);
  system.setEnvironmentVariable("InstallDir", installFolder);

  QuietExtractionHooks hooks(context.outcome);
  // The log lists the product's files for the uninstaller.
  UninstallLogRun logRun;
  const std::string packagePath = productPackagePath(context.stubPath, context.tempFolder, settings.split != 0);
  if (extractProductPackage(packagePath, installFolder, settings.noCopyExt, hooks, &logRun.productFiles) ==
      ProductExtraction::NotOpened) {
    // Nothing was installed: no entry, links, tasks or log for an installation that is
    // not there, and no after task for it either.
    context.outcome.setupDamaged = true;
    removeTempFolder(context);
    return;
  }
  InstallStepView nothingShown;
  setUpInstalledProduct(context, settings, texts, install, installFolder, settings.desktopIcon != 0, logRun,
                        nothingShown);

  if (!settings.scriptFile.empty() && !runScriptOfRun(context, settings, installFolder, install))
    context.outcome.partFailed = true;

  // The quiet run is never cancelled and starts no program at its end.
  endInstallation(context, settings, system.processes(), install.restartPrompt(), false, installFolder);
}

void runQuietInstall(RunContext& context, RunSettings& settings, const InterfaceTexts& texts,
                     StartServices& system) {
  InstallServices* install = system.installServices(context, texts);
  if (install) {
    installQuietly(context, settings, texts, system, *install);
  } else {
    context.outcome.setupDamaged = true;
    removeTempFolder(context);
  }
}

}  // namespace qv
