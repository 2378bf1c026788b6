// The start of a run, up to the extraction of the setup package: command line,
// temporary folder, SetupExeDir, and the setup package unpacked into the folder.
#pragma once

#include <string>

#include "install/checked_copy.h"
#include "package/extract.h"
#include "run/run_context.h"
#include "run/start_services.h"
#include "texts/interface_texts.h"

namespace qv {

// A folder path without its trailing blanks, slashes and backslashes, as the folder
// is created.
std::string stripFolderPath(const std::string& path);

// Fills the context from the command line and the system and prepares the
// temporary folder; the run goes on whatever fails (the user sees the copy-failure
// message). A quiet run declines the administrator logon from the start.
void prepareRun(RunContext& context, StartServices& system);

// The copy-failure report (Requester/RQ6): a message box in the wizard run; in the quiet
// run, which shows none, a failure its exit code tells.
void reportCopyFailure(RunContext& context, StartServices& system, const InterfaceTexts& texts);

// For a step that failed: the administrator logon when the user is no administrator
// and has not declined it, its token kept in the context.
LogonOffer offerAdministratorLogon(RunContext& context, StartServices& system, const InterfaceTexts& texts);

// The run's answers to what a checked copy would ask: nothing is asked in a quiet run,
// the logon is the run's, and a failed copy is reported as reportCopyFailure does.
class RunCopyPolicy final : public CopyPolicy {
 public:
  RunCopyPolicy(RunContext& context, StartServices& system, const InterfaceTexts& texts)
      : context_(context), system_(system), texts_(texts) {}
  bool answersItself() override { return context_.quiet; }
  LogonOffer offerAdministratorLogon() override { return qv::offerAdministratorLogon(context_, system_, texts_); }
  void reportCopyFailure() override { qv::reportCopyFailure(context_, system_, texts_); }

 private:
  RunContext& context_;
  StartServices& system_;
  const InterfaceTexts& texts_;
};

// An extraction of the run: a file that cannot be created offers the administrator
// logon, as the temporary folder does.
class LogonExtractionHooks : public ExtractionHooks {
 public:
  LogonExtractionHooks(RunContext& context, StartServices& system, const InterfaceTexts& texts)
      : context_(context), system_(system), texts_(texts) {}
  bool offerAdministratorLogon() override {
    return qv::offerAdministratorLogon(context_, system_, texts_) == LogonOffer::Made;
  }

 private:
  RunContext& context_;
  StartServices& system_;
  const InterfaceTexts& texts_;
};

// Creates the temporary folder, once more after an administrator logon; shows the
// copy-failure message (Requester/RQ6) when it cannot be made. True when it was made.
bool createTempFolder(RunContext& context, StartServices& system, const InterfaceTexts& texts);

// Opens the stub's own executable as the setup package and extracts it whole into
// the temporary folder; shows the copy-failure message when that fails, also when
// the executable carries no readable package. True when every entry was extracted.
bool extractSetupPackage(RunContext& context, StartServices& system, const InterfaceTexts& texts);

// Steps one to six of a run in order: services, command line, context, SetupExeDir,
// temporary folder, setup package. The texts still hold their defaults.
void startRun(RunContext& context, StartServices& system, const InterfaceTexts& texts);

}  // namespace qv
