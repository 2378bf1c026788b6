// Placeholders in paths: tokens such as %ProgramFiles% that stand for special
// folders, and plain relative paths put under the Program Files folder.
#pragma once

#include <string>

#include "system/special_folders.h"

namespace qv {

// A drive path (":\" as its second and third characters) comes back unchanged.
// With `relative` set, a path holding fewer than two "%" goes under the Program Files
// folder. Otherwise each token is replaced, everywhere and case-sensitively, by its
// folder (empty when not found): %ProgramFiles%, %Windows%, %System%, %CommonFiles%,
// %AppData%, %StartUp%, %QuickLaunch%, %MyDocuments%, %PureBasic%, %Fonts%,
// %Emergency%, %Aurora%, in that order.
std::string expandPlaceholders(const std::string& path, bool relative, FolderLookup& folders);

// Characters 2 and 3 are ":\".
bool isDrivePath(const std::string& path);

}  // namespace qv
