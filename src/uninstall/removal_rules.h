// What the uninstaller may remove: paths it can trust from a log that may be damaged,
// and the folders that are never removed, emptied or entered for a removal.
#pragma once

#include <string>
#include <vector>

#include "system/special_folders.h"

namespace qv {

// An absolute path in plain form: a drive ("C:\..."), a network share
// ("\\server\share\...") or the current drive's root ("\..."), backslashes only, no
// empty, "." or ".." parts. Anything else in a log names nothing the uninstaller removes.
bool isPlainAbsolutePath(const std::string& path);

// A path below a folder in plain form: not absolute, backslashes only, no ":", no
// empty, "." or ".." parts (a folder's trailing backslash is fine).
bool isPlainRelativePath(const std::string& path);

// "C:\", "\\server\share\" or "\" (trailing backslash optional).
bool isDriveRoot(const std::string& folder);

// The same folder, compared without case and with or without trailing backslashes.
bool isSameFolder(const std::string& a, const std::string& b);

// True when `path` lies below `folder` (not the folder itself).
bool isInsideFolder(const std::string& path, const std::string& folder);

// The shell's shortcut files: link files (".lnk") and address links (".url").
bool isLinkFileName(const std::string& path);

// The folders shared by everything on the machine: Program Files, the Windows and
// system folders, the user's profile, the desktops, documents, application data, the
// start menus and their Programs folders.
class SharedFolders {
 public:
  explicit SharedFolders(FolderLookup& folders);
  // A drive root, one of the shared folders, or a folder that holds one of them.
  bool isProtected(const std::string& folder) const;

 private:
  std::vector<std::string> folders_;
};

// Removes `folder` when it is empty, then each parent while it is empty, and stops at
// the first that is not, at a protected folder or at a path that is not plain. The
// number of folders removed.
int removeEmptyFolderChain(const std::string& folder, const SharedFolders& shared);

}  // namespace qv
