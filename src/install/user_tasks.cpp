#include "install/user_tasks.h"

#include "install/user_tasks_kinds.h"
#include "runtime/text.h"

namespace qv {

void openTaskList(KeyValueDocument& document, const std::string& setupDescriptionPath) {
  document.openKeyValueFile(setupDescriptionPath);
  document.selectGroup("UserTask");
}

UndoList runUserTasks(const UserTaskValues& values, FolderLookup& folders, UserTaskActions& actions) {
  UndoList undo;
  KeyValueDocument document;
  openTaskList(document, values.setupDescriptionPath);
  TaskRun run{values, folders, actions, document, undo};
  // The count is read once; kind 8 reopens the file, and the loop goes on by number.
  const int count = taskCountOf(document.readKeyInteger("Number", 0));
  for (int i = 1; i <= count; ++i) {
    std::string key = "Task";
    std::string text = document.readKeyString(key += decimalText(uint32_t(i)), "");
    if (text.empty()) continue;
    TaskLine line(std::move(text));
    const int32_t kind = line.kind();
    switch (kind) {
      case task_kind::kDesktopLink:
      case task_kind::kStartMenuLink:
      case task_kind::kDesktopAddress:
      case task_kind::kStartMenuAddress:
      case task_kind::kStartupLink: runLinkTask(kind, line, run); break;
      case task_kind::kCopyFile: runCopyTask(line, run); break;
      case task_kind::kRegistryValue: runRegistryTask(line, run); break;
      case task_kind::kIniEntry: runIniTask(line, run); break;
      case task_kind::kRunProgram: runProgramTask(line, run); break;
      case task_kind::kAssociation: runAssociationTask(line, run); break;
      default: break;  // kind 7 and unknown kinds do nothing
    }
  }
  document.closeKeyValueFile();
  return undo;
}

}  // namespace qv
