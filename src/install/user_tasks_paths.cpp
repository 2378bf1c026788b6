#include "install/user_tasks_paths.h"

#include "runtime/text.h"
#include "system/placeholders.h"

namespace qv {

std::string linkFileName(const std::string& name) {
  if (endsWith(name, ".lnk")) return name;
  return name + ".lnk";
}

std::string resolveTaskFile(const std::string& field, const std::string& installFolder, FolderLookup& folders) {
  if (countCharacter(field, '%') == 2) return expandPlaceholders(field, true, folders);
  return installFolder + field;
}

std::string replaceInstallFolder(const std::string& text, const std::string& installFolder) {
  return replaceAll(replaceAll(text, "%InstallDir%", installFolder), "%ProgDir%", installFolder);
}

std::string expandIniValue(const std::string& value, const UserTaskValues& values, FolderLookup& folders) {
  std::string expanded = expandPlaceholders(value, false, folders);
  expanded = replaceAll(expanded, "%StartMenuDir%", values.startMenuPath);
  expanded = replaceInstallFolder(expanded, values.installFolder);
  return replaceAll(expanded, "%LanguageID%", signedDecimalText(values.primaryLanguage));
}

bool registryRootOf(uint32_t number, RegistryRoot& root) {
  switch (number) {
    case 0x80000000u: root = RegistryRoot::ClassesRoot; return true;
    case 0x80000001u: root = RegistryRoot::CurrentUser; return true;
    case 0x80000002u: root = RegistryRoot::LocalMachine; return true;
    default: return false;
  }
}

}  // namespace qv
