// The uninstall log, install folder + "uninstall.dat": a key/value file for the
// separate uninstaller with where the product went, its shortcuts, the programs to run
// around the removal, the undo records of the user tasks, the product's files and the
// uninstaller's texts in the language of the installation. An earlier log in the
// folder is kept: its keys are overwritten, the groups and keys this run does not
// write stay (numbered keys past a group's Number among them).
#pragma once

#include <string>
#include <vector>

#include "setup/run_settings.h"
#include "texts/interface_texts.h"

namespace qv {

// What the run hands the log besides its settings.
struct UninstallLogRun {
  std::string installFolder;            // with trailing backslash
  std::string desktopIcon;              // the desktop link the wizard run made; empty otherwise
  bool loggedOnAsAdministrator = false; // the run's impersonating flag
  bool startMenuLinksMade = false;      // the start-menu step ran
  // The product package's entries the extraction put in place, relative to the
  // install folder, in package order, folders ending with a backslash.
  std::vector<std::string> productFiles{};
};

// The name of the log in the install folder.
inline constexpr char kUninstallLogName[] = "uninstall.dat";

// Writes the groups Settings, Language, StartMenu, StartProg, UserTask and Files
// (Number, then File1 to FileN from `run.productFiles`). An empty ProgLink first
// becomes ProgExe up to its first "." (in `settings` as well). The StartMenu group
// names the links the start-menu step makes, whether made or not; its AddExe names
// `settings.exe` only when that step ran, and otherwise holds the start-menu path and
// ".lnk". Nothing is written when NoUninstall is set. Failures go unreported.
void writeUninstallLog(const UninstallLogRun& run, RunSettings& settings, const InterfaceTexts& texts,
                       const std::vector<std::string>& undoRecords);

}  // namespace qv
