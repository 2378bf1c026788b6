#include "run/wizard_run.h"

#include "install/product_package.h"
#include "install/uninstall_log.h"
#include "install/user_tasks.h"
#include "run/install_settings.h"
#include "run/install_steps.h"
#include "run/run_end.h"
#include "run/start_run.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "setup/setup_description.h"
#include "system/script_file.h"
#include "wizard/wizard_pages.h"

namespace qv {
namespace {

using namespace wizard_control;

// The product's extraction in the wizard: the logon as in every run, and the progress
// bar, whose range is the package's total size, advanced by each entry's size.
class WizardExtractionHooks final : public LogonExtractionHooks {
 public:
  WizardExtractionHooks(RunContext& context, StartServices& system, const InterfaceTexts& texts,
                        WizardWindow& window)
      : LogonExtractionHooks(context, system, texts), window_(window) {}
  void onPackageOpened(const Package& package) override { window_.setProgressRange(package.totalSize()); }
  void onEntryHandled(const PackageEntry& entry) override {
    runningTotal_ += entry.size;
    window_.advanceProgress(runningTotal_);
  }

 private:
  WizardWindow& window_;
  int64_t runningTotal_ = 0;
};

// One wizard run: the window, its pages and the run's choices. It shows the steps
// after the files as lines of the installation view.
class WizardRun final : private InstallStepView {
 public:
  WizardRun(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system,
            WizardWindow& window, InstallServices& install)
      : context_(context), settings_(settings), texts_(texts), system_(system), window_(window), install_(install),
        pages_(window, texts) {}

  // Preparation steps 1 to 15; false when the window cannot be built.
  bool prepare();
  // The event loop until Finish, Cancel or a close request.
  void runEventLoop();
  // What the end of the run needs: whether the program is to start, and where.
  bool startProgram() const { return startProgram_ != 0; }
  const std::string& installFolder() const { return installFolder_; }

 private:
  bool handle(const WizardEvent& event);
  // False when nothing could be installed and the run ends.
  bool install();
  void stopWhileTask(bool release);
  // Cancel: no after task, restart or program start.
  void cancel();
  void pickStartMenuFolder();
  void browseInstallFolder();
  void beginStep(TextId line) override { showStepLine(texts_.text(line)); }
  // The state key follows the links.
  void linksMade() override {
    writeStateKey(install_.registry(), settings_.guid, installFolder_, runStartMenuFolder, desktop_);
  }
  // A line in the installation view, shown before the step it names begins.
  void showStepLine(const std::string& line) {
    window_.addStepLine(line);
    window_.drainWizardEvents();
  }
  void openLink();

  RunContext& context_;
  RunSettings& settings_;
  const InterfaceTexts& texts_;
  StartServices& system_;
  WizardWindow& window_;
  InstallServices& install_;
  WizardPages pages_;
  uint8_t startProgram_ = 0;      // the start-program option
  std::string runStartMenuFolder; // relative to its Programs folder
  std::string installFolder_;
  bool desktop_ = false;  // the desktop-icon option when the installation began
  bool installed_ = false;
};

bool WizardRun::prepare() {
  if (!window_.buildWizardWindow(wizardCaption(settings_.title, settings_.version), texts_)) return false;
  context_.cancelled = false;
  // Licence and readme: rich text preferred, else plain text, else none (the page drops out).
  static const std::pair<const char*, int> viewers[] = {{"licence", kLicenceViewer}, {"readme", kReadmeViewer}};
  for (const auto& viewer : viewers) {
    const std::string base = context_.tempFolder + viewer.first;
    if (fileExists(base + ".rtf"))
      window_.loadViewer(viewer.second, base + ".rtf", true);
    else if (fileExists(base + ".txt"))
      window_.loadViewer(viewer.second, base + ".txt", false);
  }
  window_.setChecked(kDecline, true);

  readInstallSettings(context_.setupDescriptionPath, context_.installFolderOverride, context_.startMenuOverride,
                      install_.registry(), install_.folders(), settings_);
  context_.reboot = settings_.reboot != 0;
  if (settings_.web.empty())
    window_.showControl(kLink, false);
  else
    window_.setControlText(kLink, settings_.web);
  clearStartProgramUnlessExe(settings_);
  if (!settings_.startMenu) {
    static const int kStartMenuControls[] = {kStartMenuLabel, kStartMenuField, kStartMenuChange, kNoStartMenu};
    for (int control : kStartMenuControls) window_.showControl(control, false);
  }
  clearStartProgramOnReboot(settings_);
  window_.setControlText(kInstallFolderField, settings_.installFolder);
  completeStartMenuFolderName(settings_);
  formStartMenuPath(settings_, install_.folders());
  runStartMenuFolder = settings_.startMenuFolderName;
  window_.setControlText(kStartMenuField, withTrailingBackslash(settings_.startMenuFolderName));
  window_.setChecked(kDesktopIcon, settings_.desktopIcon != 0);
  if (!hasExeExtension(settings_.progExe)) {
    window_.showControl(kDesktopIcon, false);
    settings_.startProg = 0;
  }
  startProgram_ = settings_.startProg;
  window_.setControlText(kStatusLine, diskSpaceStatus(texts_, settings_.prgSize));
  const std::string splash = context_.tempFolder + "splash.bmp", icon = context_.tempFolder + "header.ico";
  window_.loadPictures(fileExists(splash) ? splash : std::string(), fileExists(icon) ? icon : std::string());

  // The while task runs beside the wizard, kept so that closing the wizard can stop it.
  context_.whileTask = nullptr;
  if (!settings_.whileSetup.empty() && fileExists(context_.tempFolder + settings_.whileSetup)) {
    context_.whileTask = system_.processes()
                             .startProcess(context_.tempFolder + settings_.whileSetup, settings_.whileParam,
                                           context_.tempFolder, kProcessKeep)
                             .record;
  }
  window_.showWizardWindow();
  return true;
}

void WizardRun::runEventLoop() {
  for (;;) {
    const WizardEvent event = window_.waitForWizardEvent();
    if (event.kind == WizardEvent::Kind::Gone || !handle(event)) return;
  }
}

void WizardRun::stopWhileTask(bool release) {
  Processes& processes = system_.processes();
  if (!context_.whileTask || !processes.processIsRunning(context_.whileTask)) return;
  processes.stopProcess(context_.whileTask);
  if (release) {
    processes.releaseProcess(context_.whileTask);
    context_.whileTask = nullptr;
  }
  pauseMilliseconds(500);
}

void WizardRun::cancel() {
  stopWhileTask(true);
  startProgram_ = 0;
  context_.reboot = false;
  context_.cancelled = true;
}

// False when the event ends the loop.
bool WizardRun::handle(const WizardEvent& event) {
  if (event.kind == WizardEvent::Kind::CloseRequest) {
    if (fileExists(context_.tempFolder + "StartQV.exe")) stopWhileTask(false);
    removeTempFolder(context_);
    return false;
  }
  if (event.kind == WizardEvent::Kind::FocusLost) {
    if (event.control == kInstallFolderField) pages_.installFolderLeft(settings_.defaultFolderName);
    if (event.control == kStartMenuField) pages_.startMenuFieldLeft(settings_.startMenuFolderName);
    return true;
  }
  switch (event.control) {
    case kAccept: pages_.acceptLicence(true); break;
    case kDecline: pages_.acceptLicence(false); break;
    case kInstallFolderChange: browseInstallFolder(); break;
    case kNoStartMenu: pages_.noStartMenuToggled(); break;
    case kLink: openLink(); break;
    case kBack: pages_.back(); break;
    case kNext: pages_.next(); break;
    case kStartMenuChange: pickStartMenuFolder(); break;
    case kCancel:
      if (installed_) break;  // Cancel is gone once the files are in
      cancel();
      return false;
    case kInstall:
      if (!installed_) return install();
      break;
    case kFinish:
      if (!installed_) break;
      stopWhileTask(true);
      startProgram_ = window_.isChecked(kRunProgram) ? 1 : 0;
      return false;
    default: break;
  }
  return true;
}

void WizardRun::browseInstallFolder() {
  std::string chosen = window_.browseForFolder(texts_.text(TextId::Rq2Titel));
  if (chosen.empty()) return;
  window_.setControlText(kInstallFolderField, completeBrowsedFolder(chosen, settings_.defaultFolderName));
}

void WizardRun::pickStartMenuFolder() {
  FolderLookup& folders = install_.folders();
  const std::string result = window_.chooseStartMenuFolder(
      window_.controlText(kStartMenuField), folders.getSpecialFolder(folder_code::kPrograms),
      folders.getSpecialFolder(folder_code::kCommonPrograms), texts_);
  const size_t bar = result.find('|');
  if (bar == std::string::npos || bar == 0) return;
  runStartMenuFolder = completePickedStartMenuFolder(result.substr(0, bar), settings_.startMenuFolderName);
  window_.setControlText(kStartMenuField, withTrailingBackslash(runStartMenuFolder));
  settings_.startMenuPath = withTrailingBackslash(withTrailingBackslash(result.substr(bar + 1)) + runStartMenuFolder);
}

void WizardRun::openLink() {
  // By the system folder's path: a program of that name beside the setup must not run.
  const std::string rundll = install_.folders().getSpecialFolder(folder_code::kSystem) + "RunDll32.exe";
  std::string parameters = "Url.dll,FileProtocolHandler ";
  system_.processes().startProcess(rundll, parameters += window_.controlText(kLink), "", 0);
}

bool WizardRun::install() {
  installed_ = true;
  window_.setWizardBusy(true);
  pages_.showInstallationView();
  window_.drainWizardEvents();

  installFolder_ = withTrailingBackslash(window_.controlText(kInstallFolderField));
  system_.setEnvironmentVariable("InstallDir", installFolder_);
  desktop_ = window_.isChecked(kDesktopIcon);
  const bool noStartMenu = window_.isChecked(kNoStartMenu);
  readInstallationValues(context_.setupDescriptionPath, settings_);
  window_.addStepLine(productStepLine(settings_.title, settings_.version, settings_.date));
  window_.addStepLine(authorStepLine(settings_.author, settings_.email));
  showStepLine("");
  showStepLine(copyStepRunning(texts_));

  window_.showControl(kProgressBar, true);
  WizardExtractionHooks hooks(context_, system_, texts_, window_);
  // The log lists the product's files for the uninstaller.
  UninstallLogRun logRun;
  const ProductExtraction extraction =
      extractProductPackage(productPackagePath(context_.stubPath, context_.tempFolder, settings_.split != 0),
                            installFolder_, settings_.noCopyExt, hooks, &logRun.productFiles);
  if (extraction != ProductExtraction::Whole)
    system_.showError(texts_.text(TextId::Rq6Titel), texts_.text(TextId::Rq6Msg));
  if (extraction == ProductExtraction::NotOpened) {
    // Nothing is installed: no links, state, tasks or log for it, and the run ends as
    // a cancelled one, without the after task, the restart or the program.
    cancel();
    return false;
  }
  window_.replaceStepLine(3, copyStepDone(texts_));
  showStepLine("");

  if (noStartMenu) settings_.startMenu = 0;
  setUpInstalledProduct(context_, settings_, texts_, install_, installFolder_, desktop_, logRun, *this);

  if (!settings_.scriptFile.empty() && fileExists(context_.tempFolder + settings_.scriptFile))
    runScriptOfRun(context_, settings_, installFolder_, install_);
  pages_.showFinishView(hasExeExtension(settings_.progExe), startProgram_ != 0);
  window_.drainWizardEvents();
  window_.setWizardBusy(false);
  return true;
}

}  // namespace

void runWizardWith(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system,
                   WizardWindow& window, InstallServices& install) {
  WizardRun run(context, settings, texts, system, window, install);
  bool built = run.prepare();
  if (built) {
    // Programs the run waits for meanwhile (the tasks') leave the window repainting.
    system.processes().pumpEventsWhileWaiting(true);
    run.runEventLoop();
    system.processes().pumpEventsWhileWaiting(false);
    window.closeWizardWindow();
  }
  if (context.logon.token) {
    system.privileges().endImpersonation(context.logon.token);
    context.logon.token = nullptr;
  }
  endInstallation(context, settings, system.processes(), install.restartPrompt(), run.startProgram(),
                  run.installFolder());
}

void runWizard(RunContext& context, RunSettings& settings, const InterfaceTexts& texts, StartServices& system) {
  WizardWindow* window = system.wizardWindow();
  InstallServices* install = window ? system.installServices(context, texts) : nullptr;
  if (window && install)
    runWizardWith(context, settings, texts, system, *window, *install);
  else
    removeTempFolder(context);
}

}  // namespace qv
