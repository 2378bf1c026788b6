// The user tasks' system effects as the installer makes them: links through the
// shell's link object, checked copies, the registry, programs waited for, and
// associations after the question.
#pragma once

#include <cstdint>

#include "install/checked_copy.h"
#include "install/user_tasks.h"
#include "system/associations.h"
#include "system/processes.h"
#include "system/shortcuts.h"
#include "texts/interface_texts.h"

namespace qv {

// The parts of the run the tasks use; all outlive the task run.
struct UserTaskParts {
  ShellLinks& links;
  FolderLookup& folders;
  Registry& registry;
  Processes& processes;
  CopyServices& copies;
  CopyPolicy& copyPolicy;
  AssociationQuestion& question;
  const InterfaceTexts& texts;
  uint32_t platformVersion;  // GetVersion's packed value: picks the association layout
  bool answersItself;        // a quiet run: the association question is answered Yes
};

class InstallerTaskActions final : public UserTaskActions {
 public:
  explicit InstallerTaskActions(const UserTaskParts& parts) : parts_(parts) {}

  void createShortcut(const std::string& target, const std::string& linkFile, const std::string& workingFolder,
                      const std::string& arguments, const std::string& iconFile, int32_t iconIndex) override;
  void createInternetShortcut(const std::string& address, const std::string& linkFile, const std::string& iconFile,
                              int32_t iconIndex) override;
  void copyFileChecked(const std::string& source, const std::string& destination) override;
  void writeRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                           const std::string& data) override;
  void runProgram(const std::string& file, const std::string& parameters,
                  const std::string& workingFolder) override;
  bool confirmAssociation(const std::string& extension) override;
  void associateExtension(const std::string& extension, const std::string& description,
                          const std::string& programPath, const std::string& iconLocation) override;

 private:
  UserTaskParts parts_;
};

}  // namespace qv
