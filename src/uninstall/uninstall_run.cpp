#include "uninstall/uninstall_run.h"

#include "install/uninstall_log.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {
namespace {

// The programs of group StartProg: a name without a folder lies in the install folder.
std::string programPath(const std::string& program, const std::string& installFolder) {
  if (program.empty() || isPlainAbsolutePath(program)) return program;
  return installFolder + program;
}

// The running product: asked about until it ends or the user cancels; a quiet run
// cannot ask and ends.
bool waitUntilProductEnds(UninstallServices& system, const UninstallLogContents& log, const InterfaceTexts& texts,
                          bool quiet) {
  if (log.progExe.empty()) return true;
  while (isProgramRunning(system.runningPrograms(), log.progExe)) {
    if (quiet || !system.runningPrograms().confirmRunningProgram(texts.text(TextId::UninstallerTitel),
                                                                 log.runningWarning))
      return false;
  }
  return true;
}

// One uninstall: the confirmation, the programs around the removal, and the copy that
// removes the uninstaller at the end.
class UninstallRun {
 public:
  UninstallRun(UninstallServices& system, const UninstallRequest& request)
      : system_(system), request_(request) {}
  int run();

 private:
  bool confirm(RemovalRequest& removal);
  int remove(const RemovalRequest& removal);
  void startRemovalOfSelf();

  UninstallServices& system_;
  const UninstallRequest& request_;
  InterfaceTexts texts_;
  UninstallLogContents log_;
  UninstallWindow* window_ = nullptr;
  std::string ownPath_;
};

int UninstallRun::run() {
  ownPath_ = system_.modulePath();
  // The log beside the program, and only for the folder it lies in: a log copied
  // elsewhere must not remove another folder's files.
  if (!readUninstallLog(folderPartOf(ownPath_) + kUninstallLogName, log_, texts_) ||
      !isSameFolder(log_.progDir, folderPartOf(ownPath_))) {
    if (!request_.quiet) system_.showError(texts_.text(TextId::UninstallerTitel), texts_.text(TextId::UninstallerError));
    return uninstall_exit::kNoLog;
  }
  if (!waitUntilProductEnds(system_, log_, texts_, request_.quiet)) return uninstall_exit::kCancelled;

  LogonState logon;
  if (log_.loginAdmin && !request_.quiet && !system_.privileges().isAdministrator())
    logOnAsAdministrator(system_.privileges(), system_.loginWindow(), texts_, logon);
  RemovalRequest removal;
  removal.ownPath = ownPath_;
  int code = confirm(removal) ? remove(removal) : uninstall_exit::kCancelled;
  if (window_) window_->closeUninstallWindow();
  if (logon.token) system_.privileges().endImpersonation(logon.token);
  return code;
}

bool UninstallRun::confirm(RemovalRequest& removal) {
  if (request_.quiet) return true;
  window_ = &system_.uninstallWindow();
  if (!window_->openUninstallWindow(texts_, log_.progLink)) {
    window_ = nullptr;
    system_.showError(texts_.text(TextId::UninstallerTitel), texts_.text(TextId::UninstallerError));
    return false;
  }
  return window_->waitForConfirmation(removal.deleteAll);
}

int UninstallRun::remove(const RemovalRequest& removal) {
  Processes& processes = system_.processes();
  // The window keeps repainting while the programs run.
  processes.pumpEventsWhileWaiting(window_ != nullptr);
  const std::string before = programPath(log_.beforeUninst, log_.progDir);
  if (!before.empty() && fileExists(before)) processes.startProcess(before, log_.beforeParam, log_.progDir, kProcessWait);
  // The after program runs when the install folder is gone: one inside it runs from a copy.
  std::string after = programPath(log_.afterUninst, log_.progDir), afterCopy;
  if (!after.empty() && fileExists(after) && isInsideFolder(after, log_.progDir)) {
    afterCopy = system_.temporaryPath() + "qv" + decimalText(system_.processId()) + "-" + fileNamePartOf(after);
    after = copyFileReplacing(after, afterCopy) ? afterCopy : std::string();
  }

  RemovalSystem machine{system_.registry(), system_.folders(), processes, window_};
  int left = removeInstallation(log_, removal, machine);
  const std::string logPath = log_.progDir + kUninstallLogName;
  if (fileExists(logPath) && !removeFile(logPath)) ++left;
  if (!after.empty() && fileExists(after)) processes.startProcess(after, log_.afterParam, system_.temporaryPath(), kProcessWait);
  if (!afterCopy.empty()) removeFile(afterCopy);

  // Whatever else is still in the install folder stays, and the folder with it.
  std::vector<FolderItem> items;
  listFolder(log_.progDir, items);
  for (const FolderItem& item : items)
    if (!isSameFolder(log_.progDir + item.name, ownPath_)) ++left;
  if (isInsideFolder(ownPath_, log_.progDir)) startRemovalOfSelf();
  processes.pumpEventsWhileWaiting(false);
  if (window_) window_->showCompletion(texts_);
  return left ? uninstall_exit::kItemsLeft : uninstall_exit::kRemoved;
}

void UninstallRun::startRemovalOfSelf() {
  // A running program's file cannot be removed: a copy in the temporary folder waits
  // for this process to end and removes it, and the install folder when empty.
  const std::string copy = system_.temporaryPath() + "qv" + decimalText(system_.processId()) + "-uninstall.exe";
  if (!copyFileReplacing(ownPath_, copy)) return;
  system_.processes().startProcess(copy, "/CLEAN:" + decimalText(system_.processId()) + " \"" + ownPath_ + "\"",
                                   system_.temporaryPath(), 0);
}

}  // namespace

UninstallRequest scanUninstallCommandLine(const std::string& arguments) {
  UninstallRequest request;
  size_t pos = 0;
  for (std::string parameter = nextParameter(arguments, pos); !parameter.empty();
       parameter = nextParameter(arguments, pos)) {
    if (equalsIgnoringCase(parameter, "/Q")) {
      request.quiet = true;
    } else if (parameter.size() > 7 && equalsIgnoringCase(parameter.substr(0, 7), "/CLEAN:")) {
      request.cleanAfter = readDecimal(parameter.substr(7), false).wrapped();
      request.cleanPath = nextParameter(arguments, pos);
    }
  }
  return request;
}

void finishRemovalOfUninstaller(const UninstallRequest& request, UninstallServices& system) {
  const std::string own = system.modulePath();
  const std::string& original = request.cleanPath;
  const std::string folder = folderPartOf(original);
  if (!isInsideFolder(own, system.temporaryPath()) || !isPlainAbsolutePath(original) ||
      !equalsIgnoringCase(extensionOf(original), "exe") || fileExists(folder + kUninstallLogName))
    return;
  system.waitForProcessEnd(request.cleanAfter, 60000);
  // The process's file may stay locked for a moment after it has ended.
  for (int attempt = 0; attempt < 50 && fileExists(original) && !removeFile(original); ++attempt)
    pauseMilliseconds(100);
  // Likewise the folder, which the ended process may have held as its current folder.
  const SharedFolders shared(system.folders());
  for (int attempt = 0; attempt < 50 && removeEmptyFolderChain(folder, shared) == 0 && folderExists(folder) &&
                        !fileExists(original);
       ++attempt)
    pauseMilliseconds(100);
  system.removeFileAtRestart(own);
}

int runUninstaller(UninstallServices& system) {
  const UninstallRequest request = scanUninstallCommandLine(system.commandLineArguments());
  if (request.cleanAfter != 0) {
    finishRemovalOfUninstaller(request, system);
    return uninstall_exit::kRemoved;
  }
  UninstallRun run(system, request);
  return run.run();
}

}  // namespace qv
