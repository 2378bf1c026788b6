// How the user tasks turn their fields into paths and values: link names, files
// relative to the install folder or written with placeholders, and the tokens that
// only the tasks replace.
#pragma once

#include <cstdint>
#include <string>

#include "install/user_tasks.h"
#include "system/registry.h"
#include "system/special_folders.h"

namespace qv {

// The name with ".lnk" appended unless its last four characters are exactly ".lnk".
std::string linkFileName(const std::string& name);

// A link target or icon file: a field with exactly two "%" is expanded with the
// relative-path flag set; any other field follows the install folder.
std::string resolveTaskFile(const std::string& field, const std::string& installFolder, FolderLookup& folders);

// %InstallDir%, then %ProgDir%, replaced by the install folder.
std::string replaceInstallFolder(const std::string& text, const std::string& installFolder);

// An INI entry's value: placeholders expanded with the relative-path flag clear, then
// %StartMenuDir%, %InstallDir%, %ProgDir% and %LanguageID% replaced.
std::string expandIniValue(const std::string& value, const UserTaskValues& values, FolderLookup& folders);

// The three roots the tasks may name by their key handles. False for any other
// number.
bool registryRootOf(uint32_t number, RegistryRoot& root);

}  // namespace qv
