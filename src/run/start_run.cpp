#include "run/start_run.h"

#include "package/extract.h"
#include "package/package_reader.h"
#include "run/command_line.h"
#include "runtime/paths.h"

namespace qv {

std::string stripFolderPath(const std::string& path) {
  size_t end = path.find_last_not_of(" /\\");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

void prepareRun(RunContext& context, StartServices& system) {
  scanCommandLine(system.commandLineArguments(), context);
  // Without a GUID there is no folder of this run's own: it stays empty rather than
  // becoming the shared temporary folder, which the end of the run would empty.
  std::string guid = system.newGuidText();
  context.tempFolder = guid.empty() ? std::string() : system.temporaryPath() + guid + "\\";
  context.stubPath = system.modulePath();
  context.stubFolder = folderPartOf(context.stubPath);
  context.setupDescriptionPath = context.tempFolder + "setup.ini";
  context.reboot = false;
  context.logon = LogonState();
  // A quiet run asks nobody: a write that would need the logon fails like any other.
  context.logon.declined = context.quiet;
}

void reportCopyFailure(RunContext& context, StartServices& system, const InterfaceTexts& texts) {
  if (context.quiet)
    context.outcome.partFailed = true;
  else
    system.showError(texts.text(TextId::Rq6Titel), texts.text(TextId::Rq6Msg));
}

LogonOffer offerAdministratorLogon(RunContext& context, StartServices& system, const InterfaceTexts& texts) {
  return qv::offerAdministratorLogon(system.privileges(), system.loginWindow(), texts, context.logon);
}

bool createTempFolder(RunContext& context, StartServices& system, const InterfaceTexts& texts) {
  if (!context.tempFolder.empty()) {
    std::string folder = stripFolderPath(context.tempFolder);
    if (system.createFolder(folder)) return true;
    if (offerAdministratorLogon(context, system, texts) == LogonOffer::Made && system.createFolder(folder))
      return true;
  }
  reportCopyFailure(context, system, texts);
  return false;
}

bool extractSetupPackage(RunContext& context, StartServices& system, const InterfaceTexts& texts) {
  bool extracted = false;
  if (!context.tempFolder.empty()) {
    Package package;
    LogonExtractionHooks hooks(context, system, texts);
    // A stub that carries no readable package has nothing to extract: that is a
    // failure to report, not an extraction of nothing.
    extracted = openPackage(package, context.stubPath) && extractPackage(package, context.tempFolder, "", hooks);
  }
  if (!extracted) reportCopyFailure(context, system, texts);
  return extracted;
}

void startRun(RunContext& context, StartServices& system, const InterfaceTexts& texts) {
  system.initializeServices();
  prepareRun(context, system);
  system.setEnvironmentVariable("SetupExeDir", context.stubFolder);
  createTempFolder(context, system, texts);
  extractSetupPackage(context, system, texts);
}

}  // namespace qv
