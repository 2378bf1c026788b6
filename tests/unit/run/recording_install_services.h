// Stand-ins for the installation's system parts that record, in one sequence, what
// they were asked to do, so that tests see the order of a run's steps as well as what
// each was handed.
#pragma once

#include <string>
#include <vector>

#include "install/user_tasks.h"
#include "run/restart_prompt.h"
#include "runtime/file.h"
#include "system/script_host.h"
#include "system/shortcuts.h"
#include "unit/system/fake_system_folders.h"

namespace qvtest {

using Sequence = std::vector<std::string>;

class RecordingLinks : public qv::ShellLinks {
 public:
  explicit RecordingLinks(Sequence& sequence) : sequence_(sequence) {}
  int saveShellLink(const qv::ShortcutFields& f) override {
    sequence_.push_back("link " + f.linkFile + " -> " + f.target + " | " + f.arguments + " | " + f.workingFolder);
    return 1;
  }

 private:
  Sequence& sequence_;
};

class RecordingRegistry : public FakeRegistry {
 public:
  explicit RecordingRegistry(Sequence& sequence) : sequence_(sequence) {}
  int writeString(qv::RegistryRoot root, const std::string& key, const std::string& name,
                  const std::string& data) override {
    sequence_.push_back("registry " + key + "|" + name + "=" + data);
    return FakeRegistry::writeString(root, key, name, data);
  }

 private:
  Sequence& sequence_;
};

// The task list's effects; only the registry value kind is used here.
class RecordingTaskActions : public qv::UserTaskActions {
 public:
  explicit RecordingTaskActions(Sequence& sequence) : sequence_(sequence) {}
  void createShortcut(const std::string&, const std::string& linkFile, const std::string&, const std::string&,
                      const std::string&, int32_t) override {
    sequence_.push_back("task link " + linkFile);
  }
  void createInternetShortcut(const std::string&, const std::string& linkFile, const std::string&,
                              int32_t) override {
    sequence_.push_back("task address " + linkFile);
  }
  void copyFileChecked(const std::string&, const std::string& destination) override {
    sequence_.push_back("task copy " + destination);
  }
  void writeRegistryString(qv::RegistryRoot, const std::string& key, const std::string& name,
                           const std::string& data) override {
    sequence_.push_back("task registry " + key + "|" + name + "=" + data);
  }
  void runProgram(const std::string& file, const std::string&, const std::string&) override {
    sequence_.push_back("task run " + file);
  }
  bool confirmAssociation(const std::string&) override { return true; }
  void associateExtension(const std::string& extension, const std::string&, const std::string&,
                          const std::string&) override {
    sequence_.push_back("task associate " + extension);
  }

 private:
  Sequence& sequence_;
};

// Records the code it is handed, and whether the uninstall log was there by then.
class RecordingScriptHost : public qv::ScriptHost {
 public:
  RecordingScriptHost(Sequence& sequence, std::string logPath) : sequence_(sequence), logPath_(std::move(logPath)) {}
  bool reset() override { return true; }
  bool setLanguage(const char* language) override {
    languages.push_back(language);
    return true;
  }
  bool setTimeout(int32_t) override { return true; }
  bool addCode(const std::string& code) override {
    sequence_.push_back(std::string("script") + (qv::fileExists(logPath_) ? " after the log" : " before the log"));
    codes.push_back(code);
    return true;
  }
  std::vector<std::string> languages, codes;

 private:
  Sequence& sequence_;
  std::string logPath_;
};

class RecordingRestart : public qv::RestartPrompt {
 public:
  RecordingRestart(Sequence& sequence, std::string tempFolder) : sequence_(sequence), temp_(std::move(tempFolder)) {}
  void promptRestart() override {
    sequence_.push_back(std::string("restart") + (qv::folderExists(temp_) ? " with the temporary folder" : ""));
  }

 private:
  Sequence& sequence_;
  std::string temp_;
};

}  // namespace qvtest
