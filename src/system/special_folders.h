// Special folders by folder code: shell folder numbers (CSIDL) and the codes below
// that are resolved here from the system and the registry.
#pragma once

#include <string>

#include "system/registry.h"
#include "system/shell_folders.h"

namespace qv {

namespace folder_code {
constexpr int kDesktop = 0;
constexpr int kPrograms = 2;        // the current user's Programs menu
constexpr int kDocuments = 5;
constexpr int kStartup = 7;
constexpr int kFonts = 20;
constexpr int kCommonPrograms = 23; // the Programs menu of all users
constexpr int kAppData = 26;
constexpr int kCommonFiles = 43;    // from the registry, not the shell
constexpr int kSystem = -2;
constexpr int kWindows = -3;
constexpr int kQuickLaunch = -5;
constexpr int kProgramFiles = -6;
constexpr int kPureBasic = -7;
constexpr int kAurora = -9;
constexpr int kEmergence = -10;
}  // namespace folder_code

// What path expansion and the run need: a folder by code, with a trailing
// backslash, or empty when it was not found.
class FolderLookup {
 public:
  virtual std::string getSpecialFolder(int code) = 0;

 protected:
  ~FolderLookup() = default;
};

// The folders of this machine, looked up afresh on every call.
class SpecialFolders final : public FolderLookup {
 public:
  SpecialFolders(ShellFolders& shell, Registry& registry) : shell_(shell), registry_(registry) {}
  std::string getSpecialFolder(int code) override;

 private:
  std::string findFolder(int code);
  std::string findPureBasicFolder();
  std::string findIdeFolder(const char* pathsKey, const char* fallbackName);

  ShellFolders& shell_;
  Registry& registry_;
};

// The folder of the program named by an "open" verb's command, which reads
// "<program path>" "%1": the path without its quotes up to its last backslash or
// slash (inclusive); empty when the command is too short or names no folder.
std::string folderOfOpenCommand(const std::string& command);

}  // namespace qv
