// The task kinds, each run on one parsed task line. Internal to the user tasks.
#pragma once

#include "install/user_tasks.h"
#include "install/user_tasks_line.h"
#include "runtime/key_value_file.h"

namespace qv {

// One run of the task list: its values, the system, the open setup description and
// the undo records made so far.
struct TaskRun {
  const UserTaskValues& values;
  FolderLookup& folders;
  UserTaskActions& actions;
  KeyValueDocument& document;
  UndoList& undo;
};

// Kinds 0 to 4.
void runLinkTask(int32_t kind, const TaskLine& line, TaskRun& run);
void runCopyTask(const TaskLine& line, TaskRun& run);
void runRegistryTask(const TaskLine& line, TaskRun& run);
// Closes the setup description while the INI file is written, then reopens it at
// [UserTask].
void runIniTask(const TaskLine& line, TaskRun& run);
void runProgramTask(const TaskLine& line, TaskRun& run);
void runAssociationTask(const TaskLine& line, TaskRun& run);

// Opens the setup description at [UserTask].
void openTaskList(KeyValueDocument& document, const std::string& setupDescriptionPath);

}  // namespace qv
