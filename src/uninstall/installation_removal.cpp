#include "uninstall/installation_removal.h"

#include "install/user_tasks_line.h"
#include "install/user_tasks_paths.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"
#include "system/uninstall_entry.h"

namespace qv {
namespace {

void showStep(RemovalSystem& system, const std::string& item) {
  if (system.progress) system.progress->showRemovalStep(item);
}

// A file outside the install folder that the install made, then its folders while
// they are empty (the install made them for it). True when the file is gone.
bool removeMadeFile(const std::string& path, const SharedFolders& shared) {
  if (!isPlainAbsolutePath(path) || folderExists(path)) return !fileExists(path);
  if (fileExists(path) && !removeFile(path)) return false;
  removeEmptyFolderChain(folderPartOf(path), shared);
  return true;
}

// The key and its parents while they are empty; never a key right below a root
// ("Software"), which every program shares.
void removeEmptyKeyChain(RemovableRegistry& registry, RegistryRoot root, std::string key) {
  for (key = withoutTrailingBackslash(key); key.find('\\') != std::string::npos;) {
    if (!registry.removeEmptyKey(root, key)) return;
    key = withoutTrailingBackslash(folderPartOf(key));
  }
}

bool removeRegistryValue(RemovableRegistry& registry, RegistryRoot root, const std::string& key, const std::string& name) {
  if (key.empty()) return true;  // the root itself holds nothing of the product's
  bool removed = registry.removeValue(root, key, name);
  removeEmptyKeyChain(registry, root, key);
  return removed;
}

// The open command's keys below `classKey` when the command starts the program in
// `installFolder`, then the key's icon, default value and the key itself when empty.
void removeClassKeys(RemovableRegistry& registry, RegistryRoot root, const std::string& classKey,
                     const std::string& installFolder, bool classIsOurs) {
  const std::string command = classKey + "\\shell\\open\\command";
  const std::string held = registry.readDefaultValue(root, command);
  if (held.size() > installFolder.size() && held[0] == '"' &&
      equalsIgnoringCase(std::string_view(held).substr(1, installFolder.size()), installFolder)) {
    registry.removeValue(root, command, "");
    for (std::string key = command; key.size() > classKey.size(); key = withoutTrailingBackslash(folderPartOf(key)))
      if (!registry.removeEmptyKey(root, key)) break;
    classIsOurs = true;
  }
  if (!classIsOurs) return;
  removeRegistryValue(registry, root, classKey + "\\DefaultIcon", "");
  registry.removeValue(root, classKey, "");
  registry.removeEmptyKey(root, classKey);
}

// The keys an association wrote for `extension` and the program `name`, in either of
// the two ways the install writes them; another program's keys stay.
void undoAssociation(const std::string& extension, const std::string& name, const std::string& installFolder,
                     RemovableRegistry& registry) {
  if (extension.empty() || name.empty()) return;
  const RegistryRoot classes = RegistryRoot::ClassesRoot, machine = RegistryRoot::LocalMachine;
  const std::string autoClass = extension + "_auto_file";
  if (equalsIgnoringCase(registry.readDefaultValue(classes, "." + extension), autoClass)) {
    registry.removeValue(classes, "." + extension, "");
    registry.removeEmptyKey(classes, "." + extension);
    removeClassKeys(registry, classes, autoClass, installFolder, true);
  }
  removeClassKeys(registry, classes, "Applications\\" + name, installFolder, false);
  registry.removeEmptyKey(classes, "Applications\\" + name);
  const std::string fileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + extension;
  if (equalsIgnoringCase(registry.readString(RegistryRoot::CurrentUser, fileExts, "Application"), name)) {
    registry.removeValue(RegistryRoot::CurrentUser, fileExts, "Application");
    registry.removeEmptyKey(RegistryRoot::CurrentUser, fileExts);
  }
  const std::string machineExtension = "Software\\Classes\\." + extension;
  const bool extensionIsOurs = equalsIgnoringCase(registry.readDefaultValue(machine, machineExtension), name);
  if (extensionIsOurs) {
    registry.removeValue(machine, machineExtension, "");
    registry.removeEmptyKey(machine, machineExtension);
  }
  removeClassKeys(registry, machine, "Software\\Classes\\" + name, installFolder, false);
}

// Every item below `folder` (`relative` from the install folder), depth first.
struct FileWalk {
  const std::vector<std::string>& listed;  // upper-cased relative names
  const std::vector<std::string>& keep;
  bool deleteAll;
  bool foldersAllowed;
  RemovalProgress* progress;
  int left = 0;

  static bool holds(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
      if (equalsIgnoringCase(n, name)) return true;
    return false;
  }
  // Whether a listed name lies in the folder `name` (with its trailing backslash).
  static bool holdsBelow(const std::vector<std::string>& names, const std::string& name) {
    for (const std::string& n : names)
      if (n.size() > name.size() && equalsIgnoringCase(std::string_view(n).substr(0, name.size()), name)) return true;
    return false;
  }

  void walk(const std::string& folder, const std::string& relative) {
    std::vector<FolderItem> items;
    if (!listFolder(folder, items)) return;
    for (const FolderItem& item : items) {
      const std::string name = relative + item.name + (item.isFolder && !item.isLink ? "\\" : "");
      const bool listedItem = item.nameConverts && holds(listed, name);
      if (!item.nameConverts) {
        // No path names it safely: it stays, and the folder with it.
        if (deleteAll) ++left;
        continue;
      }
      if (holds(keep, name)) continue;
      const std::string path = folder + item.name;
      if (item.isLink) {
        // A link is removed itself and never entered: what it points to is not ours.
        if (deleteAll || listedItem) {
          if (progress) progress->showRemovalStep(path);
          if (!removeFile(path) && !removeFolder(path)) ++left;
        }
      } else if (item.isFolder) {
        // Only where something of the product's lies, unless everything goes.
        if (deleteAll || holdsBelow(listed, name)) walk(path + "\\", name);
        if ((deleteAll || listedItem) && foldersAllowed && !removeFolder(path + "\\") && deleteAll) ++left;
      } else if (deleteAll || listedItem) {
        if (progress) progress->showRemovalStep(path);
        if (!removeFile(path)) ++left;
      }
    }
  }
};

}  // namespace

bool undoRecord(const std::string& record, const std::string& installFolder, const SharedFolders& shared,
                RemovalSystem& system) {
  const TaskLine line(record);
  const int32_t kind = line.kind();
  switch (kind) {
    case task_kind::kDesktopLink:
    case task_kind::kStartMenuLink:
    case task_kind::kDesktopAddress:
    case task_kind::kStartMenuAddress:
    case task_kind::kStartupLink: {
      const std::string link = line.field(2);
      if (!isLinkFileName(link)) return true;  // a damaged record: nothing of ours
      showStep(system, link);
      return removeMadeFile(link, shared);
    }
    case task_kind::kCopyFile: {
      // A file that was there before the install stays: it may be another program's.
      if (line.field(3) == "1") return true;
      showStep(system, line.field(2));
      return removeMadeFile(line.field(2), shared);
    }
    case task_kind::kRegistryValue: {
      RegistryRoot root;
      if (!registryRootOf(line.unsignedField(2), root)) return true;
      showStep(system, line.field(3));
      return removeRegistryValue(system.registry, root, line.field(3), line.field(4));
    }
    case task_kind::kRunProgram: {
      const std::string systemFolder = withTrailingBackslash(line.field(2));
      const std::string file = line.field(3);
      if (!isPlainAbsolutePath(systemFolder) || !isPlainAbsolutePath(file) || !fileExists(file)) return true;
      showStep(system, file);
      system.processes.startProcess(systemFolder + "regsvr32.exe", "/u /S \"" + file + "\"", folderPartOf(file),
                                    kProcessWait);
      return true;
    }
    case task_kind::kAssociation: {
      showStep(system, "." + line.field(2));
      undoAssociation(line.field(2), line.field(3), installFolder, system.registry);
      return true;
    }
    default: return true;
  }
}

int removeProductFiles(const UninstallLogContents& log, bool deleteAll, bool foldersAllowed,
                       const std::vector<std::string>& keep, RemovalProgress* progress) {
  std::vector<std::string> listed;
  for (const std::string& file : log.files)
    if (isPlainRelativePath(file)) listed.push_back(file);
  FileWalk walk{listed, keep, deleteAll && foldersAllowed, foldersAllowed, progress};
  walk.walk(log.progDir, "");
  // What is listed and still there, and was not kept, is left.
  for (const std::string& file : listed) {
    if (FileWalk::holds(keep, file)) continue;
    const std::string path = log.progDir + file;
    if (file.back() == '\\' ? foldersAllowed && folderExists(path) : fileExists(path)) ++walk.left;
  }
  return walk.left;
}

int removeInstallation(const UninstallLogContents& log, const RemovalRequest& request, RemovalSystem& system) {
  const SharedFolders shared(system.folders);
  int left = 0;
  for (size_t i = log.undoRecords.size(); i-- > 0;) {
    if (!undoRecord(log.undoRecords[i], log.progDir, shared, system)) ++left;
  }

  std::vector<std::string> links = log.startMenuLinks;
  if (!log.desktopIcon.empty()) links.push_back(log.desktopIcon);
  for (const std::string& link : links) {
    if (!isLinkFileName(link)) continue;
    showStep(system, link);
    if (!removeMadeFile(link, shared)) ++left;
  }
  if (!log.startMenu.empty()) removeEmptyFolderChain(log.startMenu, shared);

  // The uninstaller and its log stay for the end; without folder removal (a shared
  // folder or a drive root as install folder) only the listed files go.
  const bool foldersAllowed = !shared.isProtected(log.progDir);
  std::vector<std::string> keep = {"uninstall.dat"};
  if (isInsideFolder(request.ownPath, log.progDir)) keep.push_back(request.ownPath.substr(log.progDir.size()));
  left += removeProductFiles(log, request.deleteAll, foldersAllowed, keep, system.progress);

  const std::string entry = log.guid.empty() ? log.progLink : log.guid;
  if (!entry.empty()) {
    const std::string key = uninstallEntryKey(entry);
    for (const char* name : {"DisplayName", "DisplayIcon", "Publisher", "URLInfoAbout", "HelpLink", "Contact",
                             "UninstallString"})
      if (!system.registry.removeValue(RegistryRoot::LocalMachine, key, name)) ++left;
    system.registry.removeEmptyKey(RegistryRoot::LocalMachine, key);
  }
  if (!log.guid.empty()) {
    const std::string key = stateKeyPath(log.guid);
    for (const char* name : {"InstallDir", "StartMenu", "DesktopIcon"})
      if (!system.registry.removeValue(RegistryRoot::CurrentUser, key, name)) ++left;
    removeEmptyKeyChain(system.registry, RegistryRoot::CurrentUser, key);
  }
  return left;
}

}  // namespace qv
