#include "system/shortcuts.h"

#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"
#include "system/running_guard.h"

namespace qv {
namespace {

// The icon file that stands for the link's own target.
const char kTargetIcon[] = "|";

// Link names from the texts lose the blanks at their ends.
std::string trimmedBlanks(const std::string& text) { return std::string(withoutBlanks(text)); }

// A link to a file of the installation, started in `workingFolder`, with its own icon.
int createProductLink(ShellLinks& links, const std::string& target, const std::string& linkFile,
                      const std::string& workingFolder, const std::string& arguments) {
  return createShortcut(links, target, linkFile, workingFolder, arguments, 1, std::string(), 0, kTargetIcon, 0);
}

}  // namespace

int createShortcut(ShellLinks& links, const std::string& target, const std::string& linkFile,
                   const std::string& workingFolder, const std::string& arguments, int32_t showCommand,
                   const std::string& description, int32_t hotkey, const std::string& iconFile,
                   int32_t iconIndex) {
  ShortcutFields fields;
  fields.target = target;
  fields.linkFile = linkFile;
  fields.workingFolder = workingFolder;
  fields.arguments = arguments;
  fields.showCommand = showCommand;
  fields.description = description;
  fields.hotkey = hotkey;
  fields.iconFile = iconFile == kTargetIcon ? target : iconFile;
  fields.iconIndex = iconIndex == -1 ? 0 : iconIndex;
  return links.saveShellLink(fields) ? 1 : 0;
}

std::string urlIconFile(FolderLookup& folders) {
  return folders.getSpecialFolder(folder_code::kSystem) + "url.dll";
}

int createInternetShortcut(ShellLinks& links, FolderLookup& folders, const std::string& address,
                           const std::string& linkFile, const std::string& iconFile, int32_t iconIndex) {
  bool urlIcon = iconFile == kTargetIcon;
  return createShortcut(links, address, linkFile, std::string(), std::string(), 1, std::string(), 0,
                        urlIcon ? urlIconFile(folders) : iconFile, urlIcon ? 0 : iconIndex);
}

std::string createDesktopShortcut(ShellLinks& links, FolderLookup& folders, const std::string& installFolder,
                                  const RunSettings& settings) {
  std::string linkFile = folders.getSpecialFolder(folder_code::kDesktop) + settings.progLink + ".lnk";
  createProductLink(links, installFolder + settings.progExe, linkFile, installFolder, settings.progParameter);
  return linkFile;
}

std::string additionalProgramLinkName(const std::string& exe) {
  return std::string(textBefore(programFileName(exe), '.'));
}

StartMenuLinkFiles startMenuLinkFiles(const std::string& startMenuPath, const std::string& progLink,
                                      const std::string& exe, const InterfaceTexts& texts) {
  auto linkFile = [&](const std::string& name) { return startMenuPath + name + ".lnk"; };
  StartMenuLinkFiles files;
  files.program = linkFile(progLink);
  files.addExe = linkFile(additionalProgramLinkName(exe));
  files.help = linkFile(trimmedBlanks(texts.text(TextId::InstallHelp)));
  files.homepage = linkFile(trimmedBlanks(texts.text(TextId::InstallHomepage)));
  files.iUpdater = linkFile(trimmedBlanks(texts.text(TextId::StartMenuIUpdater)));
  files.uninstall = linkFile(trimmedBlanks(texts.text(TextId::InstallUninstall)));
  return files;
}

int createStartMenuShortcuts(ShellLinks& links, FolderLookup& folders, const InterfaceTexts& texts,
                             const std::string& installFolder, const RunSettings& settings) {
  if (!folderExists(settings.startMenuPath)) ensureFolderPath(settings.startMenuPath);

  StartMenuLinkFiles files = startMenuLinkFiles(settings.startMenuPath, settings.progLink, settings.exe, texts);
  int saved = 0;
  if (!settings.progExe.empty())
    saved += createProductLink(links, installFolder + settings.progExe, files.program, installFolder,
                               settings.progParameter);
  if (!settings.exe.empty()) {
    std::string workingFolder = installFolder;
    workingFolder += folderPartOf(settings.exe);
    saved += createProductLink(links, installFolder + settings.exe, files.addExe, workingFolder, std::string());
  }
  if (!settings.help.empty())
    saved += createProductLink(links, installFolder + settings.help, files.help, installFolder, std::string());
  if (!settings.url.empty())
    saved += createInternetShortcut(links, folders, settings.url, files.homepage, kTargetIcon, 0);
  if (settings.iUpdater)
    saved += createProductLink(links, installFolder + "qvIUpdater.exe", files.iUpdater, installFolder,
                               std::string());
  if (settings.unistall)
    saved += createProductLink(links, installFolder + "Uninstall.exe", files.uninstall, installFolder,
                               std::string());
  return saved;
}

}  // namespace qv
