// A stand-in system for the driver's tests: real files under a scratch folder,
// everything else recorded or scripted.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "run/start_services.h"
#include "runtime/file.h"
#include "unit/system/fake_run_services.h"

namespace qvtest {

class FakeChooser : public qv::LanguageChooser {
 public:
  bool chooseLanguage(const std::vector<std::string>& shown, size_t& chosen) override {
    ++calls;
    items = shown;
    if (pick < 0) return false;
    chosen = size_t(pick);
    return true;
  }
  int pick = -1;  // none: the user closed the chooser
  int calls = 0;
  std::vector<std::string> items;
};

class FakeStartServices : public qv::StartServices {
 public:
  void initializeServices() override { ++initialized; }
  void releaseServices() override { ++releasedServices; }
  std::string commandLineArguments() override { return arguments; }
  std::string modulePath() override { return module; }
  std::string temporaryPath() override { return temp; }
  std::string newGuidText() override { return guids.empty() ? std::string() : guids[nextGuid++ % guids.size()]; }
  void setEnvironmentVariable(const std::string& name, const std::string& value) override {
    environment[name] = value;
  }
  bool createFolder(const std::string& path) override {
    createdPaths.push_back(path);
    return !failFolders && qv::createFolder(path);
  }
  void showError(const std::string& caption, const std::string& text) override {
    errors.push_back(caption + "|" + text);
  }
  uint16_t userDefaultLanguageId() override { return languageId; }
  qv::Privileges& privileges() override { return privilegeService; }
  qv::LoginWindow& loginWindow() override { return login; }
  qv::LanguageChooser& languageChooser() override { return chooser; }
  qv::RunningPrograms& runningPrograms() override { return programs; }
  qv::Processes& processes() override { return started; }

  int initialized = 0, releasedServices = 0;
  std::string arguments, module, temp;
  std::vector<std::string> guids = {"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}"};
  size_t nextGuid = 0;
  std::map<std::string, std::string> environment;
  bool failFolders = false;
  std::vector<std::string> createdPaths;
  std::vector<std::string> errors;
  uint16_t languageId = 0x0409;
  FakePrivileges privilegeService;
  FakeLoginWindow login;
  FakeChooser chooser;
  FakeRunningPrograms programs;
  FakeProcesses started;
};

}  // namespace qvtest
