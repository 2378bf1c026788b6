// A whole run of the uninstaller, from its command line to its exit code:
//   /Q  removes without a window and without asking;
//   0   removed; 1 cancelled, or the product is running; 2 the log is missing or
//   unreadable (nothing removed); 3 removed, with some items left.
// Started with /CLEAN:<process id> and a path, the program is the copy in the temporary
// folder that removes the uninstaller's file and its emptied install folder once the
// uninstaller has ended.
#pragma once

#include <string>

#include "uninstall/uninstall_services.h"

namespace qv {

namespace uninstall_exit {
constexpr int kRemoved = 0;
constexpr int kCancelled = 1;
constexpr int kNoLog = 2;
constexpr int kItemsLeft = 3;
}  // namespace uninstall_exit

// What the command line asks for.
struct UninstallRequest {
  bool quiet = false;
  uint32_t cleanAfter = 0;  // with /CLEAN: the uninstaller's process to wait for
  std::string cleanPath;    // the uninstaller's file
};

UninstallRequest scanUninstallCommandLine(const std::string& arguments);

int runUninstaller(UninstallServices& system);

// The copy's work: waits for the uninstaller to end, removes its file and then its
// folder and the parents while empty. Only a program in the temporary folder removes,
// and only an ".exe" whose folder no longer holds an uninstall log.
void finishRemovalOfUninstaller(const UninstallRequest& request, UninstallServices& system);

}  // namespace qv
