// The registry as the stub uses it: string values under one of three roots.
// The Win32 implementation is win32/registry_win32.h; tests pass their own.
#pragma once

#include <string>

namespace qv {

enum class RegistryRoot { LocalMachine, CurrentUser, ClassesRoot };

class Registry {
 public:
  virtual ~Registry() = default;
  // The value as text, or empty when the key or value is missing or too long.
  virtual std::string readString(RegistryRoot root, const std::string& key, const std::string& name) = 0;
  // 0: the key could not be made; 1: the value could not be set; 2: written.
  virtual int writeString(RegistryRoot root, const std::string& key, const std::string& name,
                          const std::string& data) = 0;
  // The key's default (unnamed) value, the key opened for reading; empty when the key
  // cannot be opened or the value does not fit 259 characters.
  virtual std::string readDefaultValue(RegistryRoot root, const std::string& key) = 0;
};

}  // namespace qv
