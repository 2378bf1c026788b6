#include "system/associations.h"

#include "runtime/paths.h"
#include "system/running_guard.h"

namespace qv {

std::string associationCommand(const std::string& programPath) { return "\"" + programPath + "\" \"%1\""; }

bool associatesThroughApplications(uint32_t platformVersion) { return (platformVersion & 0x00FF0000u) != 0; }

void associateExtension(Registry& registry, uint32_t platformVersion, const std::string& extension,
                        const std::string& description, const std::string& programPath,
                        const std::string& iconLocation) {
  const std::string command = associationCommand(programPath);
  const std::string name = programFileName(programPath);
  const std::string classText = description.empty() ? name : description;
  const std::string none;  // the key's default value

  if (associatesThroughApplications(platformVersion)) {
    const RegistryRoot classes = RegistryRoot::ClassesRoot;
    const std::string autoClass = extension + "_auto_file";
    registry.writeString(classes, "Applications\\" + name + "\\shell\\open\\command", none, command);
    registry.writeString(classes, "." + extension, none, autoClass);
    registry.writeString(classes, autoClass, none, classText);
    if (!iconLocation.empty()) registry.writeString(classes, autoClass + "\\DefaultIcon", none, iconLocation);
    registry.writeString(RegistryRoot::CurrentUser,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + extension,
                         "Application", name);
    return;
  }
  const RegistryRoot machine = RegistryRoot::LocalMachine;
  const std::string classKey = "Software\\Classes\\" + name;
  registry.writeString(machine, "Software\\Classes\\." + extension, none, name);
  registry.writeString(machine, classKey, none, classText);
  if (!iconLocation.empty()) registry.writeString(machine, classKey + "\\DefaultIcon", none, iconLocation);
  registry.writeString(machine, classKey + "\\shell\\open\\command", none, command);
}

bool askAssociationQuestion(AssociationQuestion& question, const InterfaceTexts& texts,
                            const std::string& extension) {
  return question.confirmAssociation(texts.text(TextId::Rq5Titel), associateExtensionQuestion(texts, extension));
}

}  // namespace qv
