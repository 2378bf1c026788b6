#include "setup/setup_description.h"

#include "runtime/key_value_file.h"
#include "runtime/key_value_number.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {
namespace {

// Flags keep their low 8 bits: 256 reads as clear.
uint8_t readFlag(const KeyValueDocument& doc, const char* key) { return uint8_t(doc.readKeyInteger(key, 0)); }

std::string readText(const KeyValueDocument& doc, const char* key) { return doc.readKeyString(key, ""); }

// Text keys of one group and the settings they go to: read in a loop, not one call
// site each.
struct TextKey {
  const char* key;
  std::string RunSettings::*field;
};

void readTextKeys(const KeyValueDocument& doc, const TextKey* keys, size_t count, RunSettings& settings) {
  for (size_t i = 0; i < count; ++i) settings.*(keys[i].field) = readText(doc, keys[i].key);
}

const TextKey kUserTaskKeys[] = {
    {"BeforeSetup", &RunSettings::beforeSetup},   {"BeforeParam", &RunSettings::beforeParam},
    {"WhileSetup", &RunSettings::whileSetup},     {"WhileParam", &RunSettings::whileParam},
    {"AfterSetup", &RunSettings::afterSetup},     {"AfterParam", &RunSettings::afterParam},
    {"Uninst1Prog", &RunSettings::uninst1Prog},   {"Uninst1Param", &RunSettings::uninst1Param},
    {"Uninst2Prog", &RunSettings::uninst2Prog},   {"Uninst2Param", &RunSettings::uninst2Param},
};
const TextKey kStartMenuKeys[] = {
    {"DefaultDir", &RunSettings::startMenuDefaultDir},
    {"Help", &RunSettings::help},
    {"URL", &RunSettings::url},
    {"Exe", &RunSettings::exe},
};

// A name the file system takes as one folder name: the characters a name cannot hold
// become "_", and the trailing blanks and dots the system would drop go.
std::string asFolderName(std::string_view text) {
  std::string name;
  for (char c : text) {
    unsigned char b = static_cast<unsigned char>(c);
    bool unfit = b < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    name.push_back(unfit ? '_' : c);
  }
  while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
  return name;
}

}  // namespace

std::string productFolderName(const std::string& title, const std::string& progExe) {
  std::string name = asFolderName(title);
  if (name.empty()) name = asFolderName(textBefore(progExe, '.'));
  return name.empty() ? std::string("Setup") : name;
}

void readSetupDescription(const std::string& path, RunSettings& settings) {
  KeyValueDocument doc;
  doc.openKeyValueFile(path);
  doc.selectGroup("Settings");
  settings.language = readText(doc, "Language");
  settings.progExe = readText(doc, "ProgExe");
  settings.split = readFlag(doc, "Split");
  doc.selectGroup("Info");
  settings.title = doc.readKeyString("Titel", "--- unkown ---");
  settings.version = readText(doc, "Version");
  settings.guid = readText(doc, "GUID");
  settings.prgSize = readText(doc, "PrgSize");
  settings.prgFlag = doc.readKeyInteger("PrgFlag", 1);
  doc.selectGroup("Task");
  settings.mutexString = readText(doc, "MutexString");  // the reader trims both ends
  doc.selectGroup("UserTask");
  readTextKeys(doc, kUserTaskKeys, sizeof(kUserTaskKeys) / sizeof(kUserTaskKeys[0]), settings);
  doc.closeKeyValueFile();
}

std::string defaultFolderNameOf(const std::string& defaultDir) {
  std::string_view text = defaultDir;
  if (countCharacter(text, '%') == 2) text = text.substr(text.find('%', text.find('%') + 1) + 1);
  size_t backslashes = countCharacter(text, '\\');
  if (backslashes == 0) return std::string(text);
  // With a trailing backslash the last field is empty; the name is the one before.
  return std::string(fieldOf(text, '\\', text.back() == '\\' ? backslashes : backslashes + 1));
}

void readInstallKeys(const std::string& path, const PreviousRun& previous, RunSettings& settings) {
  KeyValueDocument doc;
  doc.openKeyValueFile(path);
  doc.selectGroup("Info");
  settings.web = readText(doc, "Web");

  doc.selectGroup("Settings");
  settings.defaultDir = doc.readKeyString("DefaultDir", previous.installFolder);
  // Without any folder the product would go into the Program Files folder itself, where
  // its uninstall log and any uninstaller would work on every other program's files.
  if (settings.defaultDir.empty()) settings.defaultDir = productFolderName(settings.title, settings.progExe);
  settings.defaultFolderName = defaultFolderNameOf(settings.defaultDir);
  settings.noCopyExt = readText(doc, "NoCopyExt");

  doc.selectGroup("StartMenue");
  readTextKeys(doc, kStartMenuKeys, sizeof(kStartMenuKeys) / sizeof(kStartMenuKeys[0]), settings);
  settings.progLink = doc.readKeyString("ProgLink", settings.title);
  settings.iUpdater = doc.readKeyInteger("IUpdater", 0);
  settings.unistall = doc.readKeyInteger("Unistall", 0);

  doc.selectGroup("Task");
  settings.desktop = doc.readKeyInteger("Desktop", 0);
  settings.desktopIcon = previous.desktopIcon.empty() ? settings.desktop : parseKeyValueInteger(previous.desktopIcon);
  settings.progParameter = readText(doc, "ProgParameter");
  settings.startProg = readFlag(doc, "StartProg");
  settings.reboot = readFlag(doc, "Reboot");
  settings.noUninstall = readFlag(doc, "NoUninstall");
  settings.startMenu = readFlag(doc, "StartMenu");
  settings.scriptFile = readText(doc, "ScriptFile");
  doc.closeKeyValueFile();
}

void readInstallationValues(const std::string& path, RunSettings& settings) {
  KeyValueDocument doc;
  doc.openKeyValueFile(path);
  doc.selectGroup("Info");
  settings.date = readText(doc, "Date");
  settings.author = readText(doc, "Author");
  settings.email = readText(doc, "EMail");
  doc.selectGroup("StartMenue");
  settings.progLink = doc.readKeyString("ProgLink", settings.title);
  doc.closeKeyValueFile();
}

bool hasExeExtension(const std::string& progExe) { return equalsIgnoringCase(extensionOf(progExe), "exe"); }

void clearStartProgramUnlessExe(RunSettings& settings) {
  if (!hasExeExtension(settings.progExe)) settings.startProg = 0;
}

void clearStartProgramOnReboot(RunSettings& settings) {
  if (settings.reboot) settings.startProg = 0;
}

void completeStartMenuFolderName(RunSettings& settings) {
  if (settings.startMenuFolderName.empty()) settings.startMenuFolderName = std::string(textBefore(settings.progExe, '.'));
}

}  // namespace qv
