// What the uninstaller reads from the uninstall.dat beside it: where the product went,
// its links and files, the programs to run around the removal, the undo records of
// the user tasks, and the texts in the language of the installation.
#pragma once

#include <string>
#include <vector>

#include "texts/interface_texts.h"

namespace qv {

struct UninstallLogContents {
  std::string progDir;       // with trailing backslash
  std::string progExe;
  std::string guid;
  std::string progLink;      // the product's name as its links show it
  std::string startMenu;     // the start-menu folder of the links, with trailing backslash
  std::string desktopIcon;   // the desktop link, or empty
  bool loginAdmin = false;   // the install logged on as an administrator
  std::vector<std::string> startMenuLinks;  // the link files of group StartMenu that are named
  std::string beforeUninst, beforeParam, afterUninst, afterParam;
  std::vector<std::string> undoRecords;     // in the order the install made them
  std::vector<std::string> files;           // relative to progDir, folders with trailing backslash
  std::string runningWarning;               // Language/Mutex with the product's name put in
};

// The most records and files read from a log: more would be a damaged file, and the
// uninstaller holds every name in memory.
inline constexpr int kMostLogItems = 1000000;

// Reads the log at `path`; the texts of its group Language replace the uninstaller's
// and the login window's in `texts`. False when the file is missing or unreadable, or
// when it names no install folder, which every other step depends on.
bool readUninstallLog(const std::string& path, UninstallLogContents& log, InterfaceTexts& texts);

}  // namespace qv
