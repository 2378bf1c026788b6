// Kind 6 (a registry string value) and kind 8 (an INI entry).
#include "install/user_tasks_kinds.h"
#include "install/user_tasks_paths.h"
#include "install/user_tasks_records.h"

namespace qv {

void runRegistryTask(const TaskLine& line, TaskRun& run) {
  const uint32_t rootNumber = line.unsignedField(2);
  const std::string key = line.field(3);
  const std::string name = line.field(4);
  RegistryRoot root;
  // Any other root cannot be written; like a write that fails, it is still recorded.
  if (registryRootOf(rootNumber, root)) {
    run.actions.writeRegistryString(root, key, name, replaceInstallFolder(line.field(5), run.values.installFolder));
  }
  run.undo.push_back(formatUndoRecord(task_kind::kRegistryValue, {formatRegistryRoot(rootNumber), key, name}));
}

void runIniTask(const TaskLine& line, TaskRun& run) {
  const std::string value = expandIniValue(line.field(5), run.values, run.folders);
  const std::string group = line.field(3);
  // One key/value document at a time: the setup description makes way for the INI
  // file and is opened again afterwards; the loop goes on by its task number.
  run.document.closeKeyValueFile();
  run.document.openKeyValueFile(run.values.installFolder + line.field(2));
  if (!group.empty()) run.document.selectGroup(group);
  run.document.writeKeyString(line.field(4), value);
  run.document.closeKeyValueFile();
  openTaskList(run.document, run.values.setupDescriptionPath);
}

}  // namespace qv
