#include "system/special_folders.h"

#include "runtime/paths.h"

namespace qv {
namespace {

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// The "%1" argument and the quotes around both parts: the closing quote of the path,
// a blank and "%1" in quotes.
constexpr size_t kCommandTail = 6;

}  // namespace

std::string folderOfOpenCommand(const std::string& command) {
  // The opening quote and the tail are cut off; a shorter value holds no path.
  if (command.size() <= 1 + kCommandTail) return std::string();
  std::string path = command.substr(1, command.size() - 1 - kCommandTail);
  size_t begin = !path.empty() && path[0] == '"' ? 1 : 0;
  size_t end = path.find('|', begin);
  if (end == std::string::npos) end = path.size();
  size_t separator = path.find_last_of("\\/", end == 0 ? 0 : end - 1);
  if (separator == std::string::npos || separator < begin || end == begin) return std::string();
  return path.substr(begin, separator + 1 - begin);
}

std::string SpecialFolders::getSpecialFolder(int code) {
  std::string folder = findFolder(code);
  return folder.empty() ? folder : withTrailingBackslash(folder);
}

std::string SpecialFolders::findFolder(int code) {
  switch (code) {
    case folder_code::kSystem: return shell_.systemFolder();
    case folder_code::kWindows: return shell_.windowsFolder();
    case folder_code::kQuickLaunch:
      // Without the application-data folder the sub-path stands alone.
      return getSpecialFolder(folder_code::kAppData) + "Microsoft\\Internet Explorer\\Quick Launch\\";
    case folder_code::kProgramFiles:
      return registry_.readString(RegistryRoot::LocalMachine, kCurrentVersionKey, "ProgramFilesDir");
    case folder_code::kCommonFiles:
      return registry_.readString(RegistryRoot::LocalMachine, kCurrentVersionKey, "CommonFilesDir");
    case folder_code::kPureBasic: return findPureBasicFolder();
    case folder_code::kAurora: return findIdeFolder("Software\\IonicWind\\Aurora\\PATHS", "\\Aurora\\");
    case folder_code::kEmergence:
      return findIdeFolder("Software\\IonicWind\\Emergence BASIC\\PATHS", "\\EBDev\\");
    default: return shell_.shellFolder(code);
  }
}

std::string SpecialFolders::findPureBasicFolder() {
  // Bits 16 to 23 hold the build number on the NT line, whose class registrations
  // are read through the merged classes root.
  bool ntLine = (shell_.systemVersion() & 0x00FF0000u) != 0;
  std::string key = ntLine ? "Applications\\PureBasic.exe\\shell\\" : "Software\\Classes\\PureBasic.exe\\shell\\";
  key += "open\\command";
  std::string command =
      registry_.readDefaultValue(ntLine ? RegistryRoot::ClassesRoot : RegistryRoot::LocalMachine, key);
  return folderOfOpenCommand(command);
}

std::string SpecialFolders::findIdeFolder(const char* pathsKey, const char* fallbackName) {
  std::string bin = registry_.readString(RegistryRoot::CurrentUser, pathsKey, "BIN");
  if (bin.empty()) {
    // The raw value carries no trailing backslash; the name brings both.
    return registry_.readString(RegistryRoot::LocalMachine, kCurrentVersionKey, "ProgramFilesDir") + fallbackName;
  }
  // The value names the "bin" folder below the install folder.
  return bin.size() > 3 ? bin.substr(0, bin.size() - 3) : std::string();
}

}  // namespace qv
