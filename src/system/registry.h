// The registry as the programs use it: string values under one of three roots, and
// their removal.
// The Win32 implementation is win32/registry_win32.h; tests pass their own.
#pragma once

#include <string>

namespace qv {

enum class RegistryRoot { LocalMachine, CurrentUser, ClassesRoot };

class Registry {
 public:
  // The value as text, or empty when the key or value is missing or too long.
  virtual std::string readString(RegistryRoot root, const std::string& key, const std::string& name) = 0;
  // 0: the key could not be made; 1: the value could not be set; 2: written.
  virtual int writeString(RegistryRoot root, const std::string& key, const std::string& name,
                          const std::string& data) = 0;
  // The key's default (unnamed) value, the key opened for reading; empty when the key
  // cannot be opened or the value does not fit 259 characters.
  virtual std::string readDefaultValue(RegistryRoot root, const std::string& key) = 0;

 protected:
  ~Registry() = default;
};

// The registry with the removal the uninstaller needs; apart, so that the stub, which
// removes nothing, carries none of it.
class RemovableRegistry : public Registry {
 public:
  // Removes a value (the default value for an empty name). True when it is gone, also
  // when it was not there.
  virtual bool removeValue(RegistryRoot root, const std::string& key, const std::string& name) = 0;
  // Removes the key when it holds neither values nor subkeys. True when removed.
  virtual bool removeEmptyKey(RegistryRoot root, const std::string& key) = 0;
};

}  // namespace qv
