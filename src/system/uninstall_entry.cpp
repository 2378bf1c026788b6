#include "system/uninstall_entry.h"

namespace qv {

std::string stateKeyPath(const std::string& guid) { return "SOFTWARE\\Quarvel\\" + guid; }

std::string uninstallEntryKey(const std::string& subkey) {
  return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + subkey;
}

bool writeUninstallEntry(Registry& registry, const std::string& guid, const std::string& fallbackKeyName,
                         const std::string& displayName, const std::string& publisher, const std::string& url,
                         const std::string& contact, const std::string& displayIcon,
                         const std::string& uninstallCommand) {
  const std::string& subkey = guid.empty() ? fallbackKeyName : guid;
  if (subkey.empty()) return false;
  const std::string key = uninstallEntryKey(subkey);
  const RegistryRoot root = RegistryRoot::LocalMachine;
  // The first write makes the key; when that fails the rest would fail alike.
  if (registry.writeString(root, key, "DisplayName", displayName) == 0) return false;
  // One call site for the rest: the stub is held to its size.
  struct Value {
    const char* name;
    const std::string& data;
  };
  const Value values[] = {{"DisplayIcon", displayIcon}, {"Publisher", publisher},  {"URLInfoAbout", url},
                          {"HelpLink", url},            {"Contact", contact},      {"UninstallString", uninstallCommand}};
  for (const Value& value : values) registry.writeString(root, key, value.name, value.data);
  return true;
}

std::string uninstallCommand(const std::string& installFolder) {
  return "\"" + installFolder + "uninstall.exe\"";
}

std::string uninstallDisplayName(const std::string& title, const std::string& version) {
  return title + "  " + version;
}

bool writeProductUninstallEntry(Registry& registry, const RunSettings& settings, const std::string& installFolder) {
  if (settings.progLink.empty() || settings.noUninstall) return false;
  return writeUninstallEntry(registry, settings.guid, settings.progLink,
                             uninstallDisplayName(settings.title, settings.version), std::string(), settings.web,
                             std::string(), installFolder + settings.progExe, uninstallCommand(installFolder));
}

}  // namespace qv
