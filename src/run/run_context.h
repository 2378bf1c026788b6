// The run context: one record for the whole process, owned by the setup driver and
// read by the other parts through it.
#pragma once

#include <cstdint>
#include <string>

#include "system/privileges.h"
#include "system/processes.h"
#include "system/system_handle.h"

namespace qv {

// What a run tells its caller by its exit code. The quiet run is for unattended
// deployment, where no one sees a window: it asks nobody, and its exit code says what
// happened (run_end.h). The wizard run's windows have told the user.
struct RunOutcome {
  bool stoppedByBeforeTask = false;  // the before task ended with exit code 1
  bool setupDamaged = false;         // a task program or the product package could not be read
  bool partFailed = false;           // an entry, a copy, the script or the setup package's extraction failed
  bool productRunning = false;       // the product runs: nothing was installed
  bool restartRequired = false;      // Reboot was set and no failure happened
};

struct RunContext {
  bool quiet = false;                  // /Q: the quiet run replaces the wizard
  std::string installFolderOverride;   // /P: when set, the default install folder
  std::string startMenuOverride;       // /S: when set, the start-menu folder name
  int8_t taskSelector = 1;             // /R: which of the before and after tasks run
  std::string stubPath;                // the running executable, which carries the setup package
  std::string stubFolder;              // its folder, with trailing backslash; exported as SetupExeDir
  std::string tempFolder;              // receives the whole setup package; removed at the end
  std::string setupDescriptionPath;    // tempFolder + "setup.ini"
  std::string languageFileName;        // chosen from the language list
  int primaryLanguage = 0;             // the user's primary language number, when chosen automatically
  bool running = false;                // the product was found running
  bool reboot = false;                 // offer a restart at the end
  LogonState logon;                    // the administrator logon's token, and whether it is declined
  ProcessRecord* whileTask = nullptr;  // the program started as while task
  bool cancelled = false;              // the user left the wizard with Cancel
  RunOutcome outcome;                  // what the quiet run's exit code tells
};

}  // namespace qv
