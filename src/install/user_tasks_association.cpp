// Kind 10: a file-extension association, asked for first when the task says so.
#include "install/user_tasks_kinds.h"
#include "install/user_tasks_paths.h"
#include "install/user_tasks_records.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {

void runAssociationTask(const TaskLine& line, TaskRun& run) {
  const std::string program = line.field(2);
  const std::string extension = line.field(3);
  const int8_t iconIndex = line.byteField(5);
  const std::string iconFile = resolveTaskFile(line.field(6), run.values.installFolder, run.folders);
  std::string iconLocation;
  if (iconIndex != -1 && fileExists(iconFile)) {
    iconLocation = iconFile + ",";
    iconLocation += signedDecimalText(iconIndex);
  }
  if (line.byteField(7) == 1 && !run.actions.confirmAssociation(extension)) return;
  run.actions.associateExtension(extension, line.field(4), run.values.installFolder + program, iconLocation);
  run.undo.push_back(formatUndoRecord(task_kind::kAssociation, {extension, programFileName(program)}));
}

}  // namespace qv
