// Shell links (.lnk files): the one operation that writes a link, and the links the
// installer makes for the product on the desktop and in its start-menu folder. The
// shell's link object sits behind ShellLinks; win32/shell_links_win32.h is the real
// one, tests pass their own.
#pragma once

#include <cstdint>
#include <string>

#include "setup/run_settings.h"
#include "system/special_folders.h"
#include "texts/interface_texts.h"

namespace qv {

// Everything a link file holds, as handed to the link object.
struct ShortcutFields {
  std::string target;         // path or address the link points to
  std::string linkFile;       // full path of the .lnk file
  std::string workingFolder;  // may be empty
  std::string arguments;      // may be empty
  int32_t showCommand = 1;    // SW_SHOWNORMAL
  std::string description;
  int32_t hotkey = 0;
  std::string iconFile;
  int32_t iconIndex = 0;
};

class ShellLinks {
 public:
  // Writes the link file through the shell's link object: 1 when it was saved; 0
  // when the link object or its file interface cannot be had, the link path does not
  // convert, or saving fails. Missing folders are not created.
  virtual int saveShellLink(const ShortcutFields& fields) = 0;

 protected:
  ~ShellLinks() = default;
};

// An icon file of exactly "|" means the target itself; an icon index of -1 means 0.
// 1 when the link was saved, 0 otherwise (callers go on either way).
int createShortcut(ShellLinks& links, const std::string& target, const std::string& linkFile,
                   const std::string& workingFolder, const std::string& arguments, int32_t showCommand,
                   const std::string& description, int32_t hotkey, const std::string& iconFile,
                   int32_t iconIndex);

// The icon file of links to addresses: the system folder + "url.dll".
std::string urlIconFile(FolderLookup& folders);

// A link to an address (internet shortcut): the address as target, no working folder
// and no arguments. An icon of "|" becomes url.dll at index 0; another icon is kept.
int createInternetShortcut(ShellLinks& links, FolderLookup& folders, const std::string& address,
                           const std::string& linkFile, const std::string& iconFile, int32_t iconIndex);

// The desktop program link: desktop folder + ProgLink + ".lnk" pointing at install
// folder + ProgExe, started in the install folder with ProgParameter, the target's
// icon. Returns the link file path (the value the uninstall log keeps).
std::string createDesktopShortcut(ShellLinks& links, FolderLookup& folders, const std::string& installFolder,
                                  const RunSettings& settings);

// The name part of the additional program's link: Exe's file name (after the last
// backslash or slash, without surrounding double quotes) up to its first ".".
std::string additionalProgramLinkName(const std::string& exe);

// The six start-menu link files, made or not: start-menu path + name + ".lnk".
struct StartMenuLinkFiles {
  std::string program;    // ProgLink
  std::string addExe;     // additionalProgramLinkName(Exe)
  std::string help;       // Install/Help, trimmed of blanks
  std::string homepage;   // Install/Homepage, trimmed
  std::string iUpdater;   // StartMenu/IUpdater, trimmed
  std::string uninstall;  // Install/Uninstall, trimmed
};
StartMenuLinkFiles startMenuLinkFiles(const std::string& startMenuPath, const std::string& progLink,
                                      const std::string& exe, const InterfaceTexts& texts);

// The start-menu group: creates the start-menu path with its missing parents, then
// makes in this order the program, additional program, help, homepage, internet
// updater and uninstall links whose keys (Help, URL, Exe, IUpdater, Unistall of
// [StartMenue], read with the second reading) ask for them. Uses ProgExe, ProgLink,
// ProgParameter and the start-menu path of `settings`. Returns the number of links
// saved.
int createStartMenuShortcuts(ShellLinks& links, FolderLookup& folders, const InterfaceTexts& texts,
                             const std::string& installFolder, const RunSettings& settings);

}  // namespace qv
