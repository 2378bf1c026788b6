// The user tasks of the setup description: the numbered Task lines of [UserTask],
// each making a link, copying a file, writing a registry value or an INI entry,
// running or registering a program, or associating an extension. Most leave an undo
// record for the uninstaller. What a task does to the system goes through
// UserTaskActions; user_tasks_actions.h has the installer's own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "system/registry.h"
#include "system/special_folders.h"

namespace qv {

// "|"-separated records of what the tasks made, in the order they ran; the uninstall
// log stores them.
using UndoList = std::vector<std::string>;

// The values the tasks are written against. Folders end with a backslash.
struct UserTaskValues {
  std::string setupDescriptionPath;  // the setup description, holding [UserTask]
  std::string installFolder;         // %InstallDir% and %ProgDir%
  std::string startMenuPath;         // %StartMenuDir%
  std::string tempFolder;            // where the setup package was extracted
  int primaryLanguage = 0;           // %LanguageID%: 0 when the language was not chosen automatically
};

// The system effects of the tasks. Results are not asked for: a task that fails is
// skipped silently.
class UserTaskActions {
 public:
  // A shell link with show command 1, no description and no hotkey. An icon file of
  // "|" means the target itself.
  virtual void createShortcut(const std::string& target, const std::string& linkFile,
                              const std::string& workingFolder, const std::string& arguments,
                              const std::string& iconFile, int32_t iconIndex) = 0;
  // A link to an address; an icon file of "|" means the system's url.dll at index 0.
  virtual void createInternetShortcut(const std::string& address, const std::string& linkFile,
                                      const std::string& iconFile, int32_t iconIndex) = 0;
  // Copies with the overwrite check: an existing destination is replaced only when
  // the user agrees in the file-version window.
  virtual void copyFileChecked(const std::string& source, const std::string& destination) = 0;
  virtual void writeRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                                   const std::string& data) = 0;
  // Starts the program and returns when it has ended.
  virtual void runProgram(const std::string& file, const std::string& parameters,
                          const std::string& workingFolder) = 0;
  // The association question for "*." + extension; true for Yes.
  virtual bool confirmAssociation(const std::string& extension) = 0;
  virtual void associateExtension(const std::string& extension, const std::string& description,
                                  const std::string& programPath, const std::string& iconLocation) = 0;

 protected:
  ~UserTaskActions() = default;
};

// Opens the setup description, runs Task1 to TaskN of [UserTask] (N = Number, a
// signed 16-bit count) and closes it again. Returns the undo records, a new list.
// Kind-8 tasks close the setup description while they write their INI file, so the
// caller must not hold another key/value document open.
UndoList runUserTasks(const UserTaskValues& values, FolderLookup& folders, UserTaskActions& actions);

}  // namespace qv
