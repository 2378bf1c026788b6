// The real registry, through the ANSI registry functions.
#pragma once

#include <windows.h>

#include "system/registry.h"

namespace qv {

// The system's key for a root.
HKEY rootKey(RegistryRoot root);

class Win32Registry final : public Registry {
 public:
  std::string readString(RegistryRoot root, const std::string& key, const std::string& name) override;
  int writeString(RegistryRoot root, const std::string& key, const std::string& name,
                  const std::string& data) override;
  std::string readDefaultValue(RegistryRoot root, const std::string& key) override;
};

// The real registry with removal, for the uninstaller.
class Win32RemovableRegistry final : public RemovableRegistry {
 public:
  std::string readString(RegistryRoot root, const std::string& key, const std::string& name) override {
    return registry_.readString(root, key, name);
  }
  int writeString(RegistryRoot root, const std::string& key, const std::string& name,
                  const std::string& data) override {
    return registry_.writeString(root, key, name, data);
  }
  std::string readDefaultValue(RegistryRoot root, const std::string& key) override {
    return registry_.readDefaultValue(root, key);
  }
  bool removeValue(RegistryRoot root, const std::string& key, const std::string& name) override;
  bool removeEmptyKey(RegistryRoot root, const std::string& key) override;

 private:
  Win32Registry registry_;
};

}  // namespace qv
