// The removal of an installation from its log, in this order: the undo records of the
// user tasks last to first, the start-menu and desktop links with the start-menu
// folder, the product's files and folders, the uninstall entry and the state key.
// The uninstaller itself and the install folder that holds it go afterwards, from a
// copy (uninstall/uninstall_run.h).
#pragma once

#include <string>

#include "system/processes.h"
#include "system/registry.h"
#include "system/special_folders.h"
#include "uninstall/removal_rules.h"
#include "uninstall/uninstall_log_reader.h"

namespace qv {

// Shown while the removal goes on: the item being removed.
class RemovalProgress {
 public:
  virtual void showRemovalStep(const std::string& item) = 0;

 protected:
  ~RemovalProgress() = default;
};

struct RemovalRequest {
  bool deleteAll = false;   // everything inside the install folder, the user's files too
  std::string ownPath;      // the running uninstaller: left for its copy to remove
};

// What the machine offers the removal beside the file layer.
struct RemovalSystem {
  RemovableRegistry& registry;
  FolderLookup& folders;
  Processes& processes;
  RemovalProgress* progress = nullptr;
};

// Removes the installation. The number of items still there that were to go (files,
// links, folders, registry values); items already gone count as removed.
int removeInstallation(const UninstallLogContents& log, const RemovalRequest& request, RemovalSystem& system);

// The undo record `record` undone: kinds 0 to 4 (a link), 5 (a copied file that was
// not there before), 6 (a registry value), 9 (a DLL unregistered) and 10 (a file
// association of a program in `installFolder`); other kinds do nothing. True when what
// it names is gone.
bool undoRecord(const std::string& record, const std::string& installFolder, const SharedFolders& shared,
                RemovalSystem& system);

// Removes the product's files listed in the log, and with `deleteAll` everything else
// in the install folder, never entering a link; the listed folders go when empty.
// `keep` names files (relative, any case) that stay. The number of items left.
int removeProductFiles(const UninstallLogContents& log, bool deleteAll, bool foldersAllowed,
                       const std::vector<std::string>& keep, RemovalProgress* progress);

}  // namespace qv
