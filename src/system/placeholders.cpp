#include "system/placeholders.h"

#include "runtime/text.h"

namespace qv {
namespace {

struct Placeholder {
  const char* token;
  int code;
};

// The order matters: a folder that holds a later token gets it replaced too.
const Placeholder kPlaceholders[] = {
    {"%ProgramFiles%", folder_code::kProgramFiles}, {"%Windows%", folder_code::kWindows},
    {"%System%", folder_code::kSystem},             {"%CommonFiles%", folder_code::kCommonFiles},
    {"%AppData%", folder_code::kAppData},           {"%StartUp%", folder_code::kStartup},
    {"%QuickLaunch%", folder_code::kQuickLaunch},   {"%MyDocuments%", folder_code::kDocuments},
    {"%PureBasic%", folder_code::kPureBasic},       {"%Fonts%", folder_code::kFonts},
    {"%Emergency%", folder_code::kEmergence},       {"%Aurora%", folder_code::kAurora},
};

}  // namespace

bool isDrivePath(const std::string& path) { return path.size() >= 3 && path[1] == ':' && path[2] == '\\'; }

std::string expandPlaceholders(const std::string& path, bool relative, FolderLookup& folders) {
  if (isDrivePath(path)) return path;
  if (relative && countCharacter(path, '%') < 2) return folders.getSpecialFolder(folder_code::kProgramFiles) + path;
  std::string expanded = path;
  for (const Placeholder& p : kPlaceholders) {
    // Folders are looked up only for tokens that occur: each lookup asks the system.
    if (expanded.find(p.token) == std::string::npos) continue;
    expanded = replaceAll(expanded, p.token, folders.getSpecialFolder(p.code));
  }
  return expanded;
}

}  // namespace qv
