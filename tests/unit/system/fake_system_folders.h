// Stand-ins for the registry and the shell's folders, for tests of the portable core.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "system/registry.h"
#include "system/shell_folders.h"
#include "system/special_folders.h"

namespace qvtest {

class FakeRegistry : public qv::RemovableRegistry {
 public:
  std::string readString(qv::RegistryRoot root, const std::string& key, const std::string& name) override {
    reads.push_back(key + "|" + name);
    auto it = values.find(std::make_tuple(root, key, name));
    return it == values.end() ? std::string() : it->second;
  }
  int writeString(qv::RegistryRoot root, const std::string& key, const std::string& name,
                  const std::string& data) override {
    writes.push_back(key + "|" + name + "=" + data);
    values[std::make_tuple(root, key, name)] = data;
    return 2;
  }
  // Default values are stored under the empty value name.
  std::string readDefaultValue(qv::RegistryRoot root, const std::string& key) override {
    defaultReads.push_back(std::to_string(int(root)) + "|" + key);
    auto it = values.find(std::make_tuple(root, key, std::string()));
    return it == values.end() ? std::string() : it->second;
  }
  bool removeValue(qv::RegistryRoot root, const std::string& key, const std::string& name) override {
    values.erase(std::make_tuple(root, key, name));
    return true;
  }
  // Keys exist as long as a value lies in them or below them, or they are in `keys`.
  bool removeEmptyKey(qv::RegistryRoot root, const std::string& key) override {
    for (const auto& value : values) {
      if (std::get<0>(value.first) != root) continue;
      const std::string& held = std::get<1>(value.first);
      if (held == key || held.compare(0, key.size() + 1, key + "\\") == 0) return false;
    }
    removedKeys.push_back(key);
    return true;
  }
  void set(qv::RegistryRoot root, const std::string& key, const std::string& name, const std::string& data) {
    values[std::make_tuple(root, key, name)] = data;
  }

  std::map<std::tuple<qv::RegistryRoot, std::string, std::string>, std::string> values;
  std::vector<std::string> reads, writes, defaultReads, removedKeys;
};

class FakeShellFolders : public qv::ShellFolders {
 public:
  std::string systemFolder() override { return system; }
  std::string windowsFolder() override { return windows; }
  std::string shellFolder(int code) override {
    ++shellCalls;
    auto it = shell.find(code);
    return it == shell.end() ? std::string() : it->second;
  }
  uint32_t systemVersion() override { return version; }

  std::string system = "C:\\WINDOWS\\system32";
  std::string windows = "C:\\WINDOWS";
  std::map<int, std::string> shell;
  uint32_t version = 0x0A280105;  // build 2600, version 5.1
  int shellCalls = 0;
};

// A folder lookup answering from a table; codes not in it are not found.
class FakeFolderLookup : public qv::FolderLookup {
 public:
  std::string getSpecialFolder(int code) override {
    lookups.push_back(code);
    auto it = folders.find(code);
    return it == folders.end() ? std::string() : it->second;
  }
  std::map<int, std::string> folders;
  std::vector<int> lookups;
};

}  // namespace qvtest
