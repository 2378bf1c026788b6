// The product's entry in the system's list of installed programs, under
// HKEY_LOCAL_MACHINE Software\Microsoft\Windows\CurrentVersion\Uninstall\.
#pragma once

#include <string>

#include "setup/run_settings.h"
#include "system/registry.h"

namespace qv {

// The state key below HKEY_CURRENT_USER: where a wizard run keeps the folders it chose
// for the next run of the same product.
std::string stateKeyPath(const std::string& guid);

// The entry's key below HKEY_LOCAL_MACHINE: the Uninstall key + `subkey`.
std::string uninstallEntryKey(const std::string& subkey);

// Writes DisplayName, DisplayIcon, Publisher, URLInfoAbout, HelpLink (the URL again),
// Contact and UninstallString, in that order, under the GUID's subkey, or the fallback
// key name's when the GUID is empty. Nothing is written when the key cannot be made,
// nor when both names are empty (the values would land on the Uninstall key itself).
// Failures go unreported. True when the key could be made.
bool writeUninstallEntry(Registry& registry, const std::string& guid, const std::string& fallbackKeyName,
                         const std::string& displayName, const std::string& publisher, const std::string& url,
                         const std::string& contact, const std::string& displayIcon,
                         const std::string& uninstallCommand);

// The title, two blanks and the version.
std::string uninstallDisplayName(const std::string& title, const std::string& version);

// The uninstaller in double quotes: install folders hold blanks ("Program Files"), and
// unquoted the system would first try to start C:\Program.exe.
std::string uninstallCommand(const std::string& installFolder);

// The quiet run's entry: only when ProgLink is not empty and NoUninstall is 0; keyed by
// GUID or ProgLink, display name from title and version, Web as URL, install folder +
// ProgExe as icon and the quoted install folder + "uninstall.exe" as command. True when written.
bool writeProductUninstallEntry(Registry& registry, const RunSettings& settings, const std::string& installFolder);

}  // namespace qv
