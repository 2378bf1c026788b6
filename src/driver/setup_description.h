// The run settings: what setup.ini says about the product and its installation,
// the state key of an earlier run, and the values derived from both. Read in two
// steps: readSetupDescription at the start of a run, readInstallSettings when the
// wizard or the quiet run begins.
#pragma once

#include <cstdint>
#include <string>

#include "integration/registry.h"
#include "integration/special_folders.h"

namespace qv {

struct RunSettings {
  // [Settings]
  std::string language;              // Language: the language list
  std::string progExe;               // ProgExe, relative to the install folder
  uint8_t split = 0;                 // Split: the product package lies beside the stub
  std::string defaultDir;            // DefaultDir as read (the previous install folder when missing)
  std::string noCopyExt;             // NoCopyExt: the kept-extension list
  // [Info]
  std::string title = "--- unkown ---";  // Titel
  std::string version;               // Version
  std::string guid;                  // GUID: names the state key
  std::string prgSize;               // PrgSize: required disk space as text
  int32_t prgFlag = 1;               // PrgFlag: the before task runs whatever the selector says
  std::string web;                   // Web: homepage address
  std::string date;                  // Date, read when the installation starts
  std::string author;                // Author, likewise
  std::string email;                 // EMail, likewise
  // [Task]
  std::string mutexString;           // MutexString: held by the running product
  int32_t desktop = 0;               // Desktop: desktop-icon state without a state key
  std::string progParameter;         // ProgParameter: arguments of the program's shortcuts
  uint8_t startProg = 0;             // StartProg: start the program at the end
  uint8_t reboot = 0;                // Reboot: ask for a restart at the end
  uint8_t noUninstall = 0;           // NoUninstall: no uninstall log, no uninstall entry
  uint8_t startMenu = 0;             // StartMenu: start-menu shortcuts are offered and made
  std::string scriptFile;            // ScriptFile, in the temporary folder
  // [UserTask]; Number and the Task records are read by the user tasks themselves.
  std::string beforeSetup, beforeParam;
  std::string whileSetup, whileParam;
  std::string afterSetup, afterParam;
  std::string uninst1Prog, uninst1Param;
  std::string uninst2Prog, uninst2Param;
  // [StartMenue]
  std::string startMenuDefaultDir;   // DefaultDir of this group
  std::string progLink;              // ProgLink: the program's shortcut name (the title when missing)
  std::string help;                  // Help, URL, Exe, IUpdater, Unistall: start-menu shortcuts
  std::string url;
  std::string exe;
  int32_t iUpdater = 0;
  int32_t unistall = 0;

  // Derived
  std::string installFolder;         // the default install folder
  std::string defaultFolderName;     // last folder name of DefaultDir
  std::string startMenuFolderName;   // relative to the Programs folder
  std::string startMenuPath;         // Programs folder + name, with trailing backslash
  int32_t desktopIcon = 0;           // desktop-icon state
};

// The state key of a product: HKEY_CURRENT_USER, SOFTWARE\Quarvel\ + GUID.
std::string stateKeyPath(const std::string& guid);

// The folder below Program Files for a product whose setup names none: the title with
// the characters a folder name cannot hold replaced by "_", else ProgExe up to its
// first ".", else "Setup".
std::string productFolderName(const std::string& title, const std::string& progExe);

// The first reading, at the start of a run: Language, ProgExe, Split; Titel,
// Version, GUID, PrgSize, PrgFlag; MutexString; the before, while, after and
// uninstall programs. A missing file leaves every default.
void readSetupDescription(const std::string& path, RunSettings& settings);

// The second reading: the state key of an earlier run, the remaining keys, and the
// install folder, default folder name, start-menu folder name and desktop-icon state.
// An empty or missing DefaultDir stands for productFolderName below Program Files.
// The overrides are the /P and /S values of the command line (empty when not given).
void readInstallSettings(const std::string& path, const std::string& installFolderOverride,
                         const std::string& startMenuOverride, Registry& registry, FolderLookup& folders,
                         RunSettings& settings);

// Date, Author, EMail and ProgLink (the title when missing), read again when the
// installation starts.
void readInstallationValues(const std::string& path, RunSettings& settings);

// Help, URL, Exe, IUpdater and Unistall of [StartMenue], for the start-menu shortcuts.
void readStartMenuValues(const std::string& path, RunSettings& settings);

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
// The current user's Programs folder + the start-menu folder name + "\".
void formStartMenuPath(RunSettings& settings, FolderLookup& folders);

// Records the run's choices for the next run of the same product; nothing is
// written without a GUID. Failures go unreported.
void writeStateKey(Registry& registry, const std::string& guid, const std::string& installFolder,
                   const std::string& startMenuFolderName, bool desktopIcon);

}  // namespace qv
