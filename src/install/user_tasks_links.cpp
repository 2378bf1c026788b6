// Kinds 0 to 4: shell links on the desktop, in the start-menu path and in the
// Startup folder, and links to addresses.
#include "install/user_tasks_kinds.h"
#include "install/user_tasks_paths.h"
#include "install/user_tasks_records.h"
#include "runtime/file.h"
#include "runtime/paths.h"

namespace qv {
namespace {

// Field 5 with index field 4: "|" (the target's own icon) for index -1, an empty
// field or a file that is not there.
std::string linkIconFile(const TaskLine& line, int8_t index, TaskRun& run) {
  const std::string field = line.field(5);
  if (index == -1 || field.empty()) return "|";
  std::string icon = resolveTaskFile(field, run.values.installFolder, run.folders);
  return fileExists(icon) ? icon : "|";
}

std::string linkFolderOf(int32_t kind, TaskRun& run) {
  switch (kind) {
    case task_kind::kDesktopLink:
    case task_kind::kDesktopAddress: return run.folders.getSpecialFolder(folder_code::kDesktop);
    case task_kind::kStartupLink: return run.folders.getSpecialFolder(folder_code::kStartup);
    default: return run.values.startMenuPath;
  }
}

}  // namespace

void runLinkTask(int32_t kind, const TaskLine& line, TaskRun& run) {
  std::string linkFile = linkFolderOf(kind, run);
  linkFile += linkFileName(line.field(2));
  const int8_t iconIndex = line.byteField(4);
  const std::string iconFile = linkIconFile(line, iconIndex, run);
  if (kind == task_kind::kDesktopAddress || kind == task_kind::kStartMenuAddress) {
    run.actions.createInternetShortcut(line.field(3), linkFile, iconFile, iconIndex);
  } else {
    if (kind == task_kind::kStartMenuLink) {
      // The name may hold sub-folders of the start-menu path.
      const std::string folder = folderPartOf(linkFile);
      if (!folder.empty()) ensureFolderPath(folder);
    }
    const std::string target = resolveTaskFile(line.field(3), run.values.installFolder, run.folders);
    run.actions.createShortcut(target, linkFile, folderPartOf(target), line.field(6), iconFile, iconIndex);
  }
  // Recorded whether or not the link was made.
  run.undo.push_back(formatUndoRecord(kind, {linkFile}));
}

}  // namespace qv
