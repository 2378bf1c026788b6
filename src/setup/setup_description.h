// The readers of setup.ini: the keys of both readings, and the values derived from
// them alone. What needs the registry, the special folders or placeholders (the state
// key, the install folder, the start-menu path) is the run's (run/install_settings.h).
#pragma once

#include <string>

#include "setup/run_settings.h"

namespace qv {

// The folder below Program Files for a product whose setup names none: the title with
// the characters a folder name cannot hold replaced by "_", else ProgExe up to its
// first ".", else "Setup".
std::string productFolderName(const std::string& title, const std::string& progExe);

// The first reading, at the start of a run: Language, ProgExe, Split; Titel,
// Version, GUID, PrgSize, PrgFlag; MutexString; the before, while, after and
// uninstall programs. A missing file leaves every default.
void readSetupDescription(const std::string& path, RunSettings& settings);

// The keys of the second reading: Web; DefaultDir (the earlier install folder when
// missing) and NoCopyExt; DefaultDir, ProgLink (the title when missing), Help, URL,
// Exe, IUpdater and Unistall of [StartMenue]; Desktop, ProgParameter, StartProg,
// Reboot, NoUninstall, StartMenu and ScriptFile. Also the values derived from them and
// the earlier run alone: the default folder name and the desktop-icon state.
void readInstallKeys(const std::string& path, const PreviousRun& previous, RunSettings& settings);

// Date, Author, EMail and ProgLink (the title when missing), read again when the
// wizard's installation starts.
void readInstallationValues(const std::string& path, RunSettings& settings);

// The last folder name of a DefaultDir value: after the second "%" when it holds
// exactly two, and without one trailing backslash.
std::string defaultFolderNameOf(const std::string& defaultDir);

// ProgExe's extension (after its last "." in its file part), in lower case, is "exe".
bool hasExeExtension(const std::string& progExe);

// Steps after the second reading.
// The program is started at the end only when it is an ".exe".
void clearStartProgramUnlessExe(RunSettings& settings);
// A restart replaces the start of the program.
void clearStartProgramOnReboot(RunSettings& settings);
// An empty start-menu folder name becomes ProgExe up to its first ".".
void completeStartMenuFolderName(RunSettings& settings);

}  // namespace qv
