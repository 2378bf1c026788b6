// The run settings: what setup.ini says about the product and its installation,
// the state key of an earlier run, and the values derived from both. Read in two
// steps: readSetupDescription at the start of a run, readInstallSettings (run/) when
// the wizard or the quiet run begins.
#pragma once

#include <cstdint>
#include <string>

#include "texts/interface_texts.h"

namespace qv {

struct RunSettings {
  // [Settings]
  std::string language;              // Language: the language list
  std::string progExe;               // ProgExe, relative to the install folder
  uint8_t split = 0;                 // Split: the product package lies beside the stub
  std::string defaultDir;            // DefaultDir as read (the previous install folder when missing,
                                     // the product's own folder name when empty)
  std::string noCopyExt;             // NoCopyExt: the kept-extension list
  // [Info]
  std::string title = kUnknownTitle;  // Titel
  std::string version;               // Version
  std::string guid;                  // GUID: names the state key
  std::string prgSize;               // PrgSize: required disk space as text
  int32_t prgFlag = 1;               // PrgFlag: the before task runs whatever the selector says
  std::string web;                   // Web: homepage address
  std::string date;                  // Date, Author, EMail: read when the wizard's installation starts
  std::string author;
  std::string email;
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
  std::string help;                  // Help, URL, Exe, IUpdater, Unistall: start-menu shortcuts,
                                     // read with the second reading
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

// What an earlier run of the same product recorded in its state key: the install
// folder, the start-menu folder name and the desktop-icon state, each empty when not
// recorded.
struct PreviousRun {
  std::string installFolder;
  std::string startMenuFolderName;
  std::string desktopIcon;
};

}  // namespace qv
