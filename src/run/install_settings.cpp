#include "run/install_settings.h"

#include "runtime/paths.h"
#include "setup/setup_description.h"
#include "system/placeholders.h"

namespace qv {
namespace {

const std::string& firstNonEmpty(const std::string& a, const std::string& b, const std::string& c) {
  return !a.empty() ? a : !b.empty() ? b : c;
}

}  // namespace

PreviousRun readStateKey(Registry& registry, const std::string& guid) {
  std::string key = stateKeyPath(guid);
  PreviousRun previous;
  previous.installFolder = registry.readString(RegistryRoot::CurrentUser, key, "InstallDir");
  previous.startMenuFolderName = registry.readString(RegistryRoot::CurrentUser, key, "StartMenu");
  previous.desktopIcon = registry.readString(RegistryRoot::CurrentUser, key, "DesktopIcon");
  return previous;
}

void readInstallSettings(const std::string& path, const std::string& installFolderOverride,
                         const std::string& startMenuOverride, Registry& registry, FolderLookup& folders,
                         RunSettings& settings) {
  PreviousRun previous = readStateKey(registry, settings.guid);
  readInstallKeys(path, previous, settings);
  settings.installFolder = expandPlaceholders(
      firstNonEmpty(installFolderOverride, previous.installFolder, settings.defaultDir), true, folders);
  settings.startMenuFolderName =
      firstNonEmpty(startMenuOverride, previous.startMenuFolderName, settings.startMenuDefaultDir);
}

void formStartMenuPath(RunSettings& settings, FolderLookup& folders) {
  std::string path = folders.getSpecialFolder(folder_code::kPrograms) + settings.startMenuFolderName;
  settings.startMenuPath = path.empty() ? path : withTrailingBackslash(path);
}

void writeStateKey(Registry& registry, const std::string& guid, const std::string& installFolder,
                   const std::string& startMenuFolderName, bool desktopIcon) {
  if (guid.empty()) return;
  std::string key = stateKeyPath(guid);
  registry.writeString(RegistryRoot::CurrentUser, key, "InstallDir", installFolder);
  registry.writeString(RegistryRoot::CurrentUser, key, "StartMenu", startMenuFolderName);
  registry.writeString(RegistryRoot::CurrentUser, key, "DesktopIcon", desktopIcon ? "1" : "0");
}

}  // namespace qv
