// Kind 5 (copy a file from the temporary folder) and kind 9 (run a program or
// register a DLL).
#include "install/user_tasks_kinds.h"
#include "install/user_tasks_paths.h"
#include "install/user_tasks_records.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"
#include "system/placeholders.h"

namespace qv {
namespace {

// A copied file's undo record; a third field "1" says that the file was there before
// the copy: it may belong to another program, and the uninstaller leaves it.
void recordCopiedFile(const std::string& destination, TaskRun& run) {
  run.undo.push_back(formatUndoRecord(task_kind::kCopyFile, {destination}) + (fileExists(destination) ? "|1" : ""));
}

}  // namespace

void runCopyTask(const TaskLine& line, TaskRun& run) {
  const std::string name = line.field(2);
  const std::string folder = line.field(4);
  std::string destination = name;
  if (!folder.empty()) {
    destination = expandPlaceholders(replaceInstallFolder(folder + name, run.values.installFolder), true, run.folders);
  }
  recordCopiedFile(destination, run);
  const std::string destinationFolder = folderPartOf(destination);
  if (!destinationFolder.empty()) ensureFolderPath(destinationFolder);
  run.actions.copyFileChecked(run.values.tempFolder + line.field(3), destination);
}

void runProgramTask(const TaskLine& line, TaskRun& run) {
  const std::string& folder = line.field(2);
  const bool inProgramFolder = folder.find("%ProgDir%") != std::string::npos;
  const std::string expanded = expandPlaceholders(folder, false, run.folders);
  const std::string path = replaceAll(expanded, "%ProgDir%", run.values.installFolder) + line.field(3);
  const std::string systemFolder = run.folders.getSpecialFolder(folder_code::kSystem);
  if (inProgramFolder) {
    // Installed with the package; the uninstaller unregisters and removes it.
    run.undo.push_back(formatUndoRecord(task_kind::kRunProgram, {systemFolder, path}));
  } else {
    // Copied like a kind-5 file, and recorded as one, so that the uninstaller removes it.
    recordCopiedFile(path, run);
    std::string source = run.values.tempFolder;
    run.actions.copyFileChecked(source += fileNamePartOf(path), path);
  }
  const std::string workingFolder = folderPartOf(path);
  if (line.byteField(4) != 0) {
    // Quoted, since install folders usually hold a blank ("Program Files").
    run.actions.runProgram(systemFolder + "regsvr32.exe", "/S \"" + path + "\"", workingFolder);
  } else {
    run.actions.runProgram(path, "", workingFolder);
  }
}

}  // namespace qv
