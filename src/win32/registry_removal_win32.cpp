// The removal the uninstaller needs, apart from reading and writing: the stub links
// the registry without it, and so without the system functions it calls.
#include "win32/registry_win32.h"

namespace qv {

bool Win32RemovableRegistry::removeValue(RegistryRoot root, const std::string& key, const std::string& name) {
  HKEY h;
  LONG rc = RegOpenKeyExA(rootKey(root), key.c_str(), 0, KEY_SET_VALUE, &h);
  if (rc == ERROR_FILE_NOT_FOUND) return true;
  if (rc != ERROR_SUCCESS) return false;
  rc = RegDeleteValueA(h, name.empty() ? nullptr : name.c_str());
  RegCloseKey(h);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool Win32RemovableRegistry::removeEmptyKey(RegistryRoot root, const std::string& key) {
  // An empty name would be the root itself.
  if (key.empty()) return false;
  HKEY h;
  if (RegOpenKeyExA(rootKey(root), key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0, values = 0;
  LONG rc = RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr);
  RegCloseKey(h);
  // A key whose default value is set but empty counts that value, and stays.
  if (rc != ERROR_SUCCESS || subkeys != 0 || values != 0) return false;
  return RegDeleteKeyA(rootKey(root), key.c_str()) == ERROR_SUCCESS;
}

}  // namespace qv
