#include "win32/registry_win32.h"

#include <windows.h>

namespace qv {
namespace {

// A string value's bytes as read into `buffer`: the terminating zero is dropped only
// when it is stored, so a value written without one keeps its last character and an
// empty value reads as empty.
std::string storedText(const char* buffer, DWORD size) {
  if (size > 0 && buffer[size - 1] == '\0') --size;
  return std::string(buffer, size);
}

}  // namespace

HKEY rootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
  }
  return HKEY_CURRENT_USER;
}

std::string Win32Registry::readString(RegistryRoot root, const std::string& key, const std::string& name) {
  HKEY h;
  if (RegOpenKeyExA(rootKey(root), key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return std::string();
  // 255 bytes: a value of more than 254 characters does not fit and reads as empty.
  char buffer[255];
  DWORD size = sizeof(buffer);
  LONG rc = RegQueryValueExA(h, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS || size > sizeof(buffer)) return std::string();
  return storedText(buffer, size);
}

std::string Win32Registry::readDefaultValue(RegistryRoot root, const std::string& key) {
  HKEY h;
  // Read access is all a reading needs; asking for more fails for standard users.
  if (RegOpenKeyExA(rootKey(root), key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return std::string();
  char buffer[MAX_PATH];
  DWORD size = sizeof(buffer);
  LONG rc = RegQueryValueExA(h, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS || size > sizeof(buffer)) return std::string();
  return storedText(buffer, size);
}

int Win32Registry::writeString(RegistryRoot root, const std::string& key, const std::string& name,
                               const std::string& data) {
  HKEY h;
  if (RegCreateKeyA(rootKey(root), key.c_str(), &h) != ERROR_SUCCESS) return 0;
  LONG rc = RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                           DWORD(data.size() + 1));
  RegCloseKey(h);
  return rc == ERROR_SUCCESS ? 2 : 1;
}

}  // namespace qv
