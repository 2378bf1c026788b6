// The real registry, through the ANSI registry functions.
#pragma once

#include "system/registry.h"

namespace qv {

class Win32Registry final : public Registry {
 public:
  std::string readString(RegistryRoot root, const std::string& key, const std::string& name) override;
  int writeString(RegistryRoot root, const std::string& key, const std::string& name,
                  const std::string& data) override;
  std::string readDefaultValue(RegistryRoot root, const std::string& key) override;
};

}  // namespace qv
