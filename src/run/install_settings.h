// The second reading of the setup description with what it needs of the system: the
// state key of an earlier run, the install folder with its placeholders expanded, the
// start-menu path; and the state key written for the next run.
#pragma once

#include <string>

#include "setup/run_settings.h"
#include "system/registry.h"
#include "system/special_folders.h"
#include "system/uninstall_entry.h"

namespace qv {

// What the state key of the product holds (read even without a GUID).
PreviousRun readStateKey(Registry& registry, const std::string& guid);

// The second reading: the state key of an earlier run, the remaining keys, and the
// install folder, default folder name, start-menu folder name and desktop-icon state.
// An empty or missing DefaultDir stands for productFolderName below Program Files.
// The overrides are the /P and /S values of the command line (empty when not given).
void readInstallSettings(const std::string& path, const std::string& installFolderOverride,
                         const std::string& startMenuOverride, Registry& registry, FolderLookup& folders,
                         RunSettings& settings);

// The current user's Programs folder + the start-menu folder name + "\".
void formStartMenuPath(RunSettings& settings, FolderLookup& folders);

// Records the run's choices for the next run of the same product; nothing is
// written without a GUID. Failures go unreported.
void writeStateKey(Registry& registry, const std::string& guid, const std::string& installFolder,
                   const std::string& startMenuFolderName, bool desktopIcon);

}  // namespace qv
