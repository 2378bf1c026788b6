#include "install/user_tasks_actions.h"

namespace qv {

void InstallerTaskActions::createShortcut(const std::string& target, const std::string& linkFile,
                                          const std::string& workingFolder, const std::string& arguments,
                                          const std::string& iconFile, int32_t iconIndex) {
  qv::createShortcut(parts_.links, target, linkFile, workingFolder, arguments, 1, "", 0, iconFile, iconIndex);
}

void InstallerTaskActions::createInternetShortcut(const std::string& address, const std::string& linkFile,
                                                  const std::string& iconFile, int32_t iconIndex) {
  qv::createInternetShortcut(parts_.links, parts_.folders, address, linkFile, iconFile, iconIndex);
}

void InstallerTaskActions::copyFileChecked(const std::string& source, const std::string& destination) {
  qv::copyFileChecked(source, destination, parts_.copies, parts_.copyPolicy, parts_.texts);
}

void InstallerTaskActions::writeRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                                               const std::string& data) {
  parts_.registry.writeString(root, key, name, data);
}

void InstallerTaskActions::runProgram(const std::string& file, const std::string& parameters,
                                      const std::string& workingFolder) {
  // Waited for without keeping a record; the exit code does not matter.
  parts_.processes.startProcess(file, parameters, workingFolder, kProcessWait);
}

bool InstallerTaskActions::confirmAssociation(const std::string& extension) {
  // Unattended, the setup's author who asked for the association stands for the user.
  if (parts_.answersItself) return true;
  return askAssociationQuestion(parts_.question, parts_.texts, extension);
}

void InstallerTaskActions::associateExtension(const std::string& extension, const std::string& description,
                                              const std::string& programPath, const std::string& iconLocation) {
  qv::associateExtension(parts_.registry, parts_.platformVersion, extension, description, programPath, iconLocation);
}

}  // namespace qv
