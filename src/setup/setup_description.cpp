#include "setup/setup_description.h"

#include "runtime/key_value_file.h"
#include "runtime/key_value_number.h"
#include "runtime/paths.h"
#include "runtime/text.h"
#include "texts/interface_texts.h"

namespace qv {
namespace {

// Flags keep their low 8 bits: 256 reads as clear.
uint8_t readFlag(const KeyValueDocument& doc, const char* key) { return uint8_t(doc.readKeyInteger(key, 0)); }

std::string readText(const KeyValueDocument& doc, const char* key) { return doc.readKeyString(key, ""); }

// Text keys and the settings they go to, group by group: read in one loop, not one
// call site each. The names are held in the rows, so the table needs no relocated
// pointer per key.
enum KeyGroup : uint8_t { gSettings, gInfo, gTask, gUserTask, gStartMenue };
constexpr const char* kKeyGroups[] = {"Settings", "Info", "Task", "UserTask", "StartMenue"};

struct TextKey {
  KeyGroup group;
  char key[14];
  std::string RunSettings::*field;
};

void readTextKeys(KeyValueDocument& doc, const TextKey* keys, size_t count, RunSettings& settings) {
  int group = -1;
  for (const TextKey* k = keys; k != keys + count; ++k) {
    if (k->group != group) doc.selectGroup(kKeyGroups[group = k->group]);
    settings.*(k->field) = readText(doc, k->key);
  }
}

template <size_t N>
void readTextKeys(KeyValueDocument& doc, const TextKey (&keys)[N], RunSettings& settings) {
  readTextKeys(doc, keys, N, settings);
}

const TextKey kDescriptionKeys[] = {
    {gSettings, "Language", &RunSettings::language},       {gSettings, "ProgExe", &RunSettings::progExe},
    {gInfo, "Version", &RunSettings::version},              {gInfo, "GUID", &RunSettings::guid},
    {gInfo, "PrgSize", &RunSettings::prgSize},              {gTask, "MutexString", &RunSettings::mutexString},
    {gUserTask, "BeforeSetup", &RunSettings::beforeSetup},  {gUserTask, "BeforeParam", &RunSettings::beforeParam},
    {gUserTask, "WhileSetup", &RunSettings::whileSetup},    {gUserTask, "WhileParam", &RunSettings::whileParam},
    {gUserTask, "AfterSetup", &RunSettings::afterSetup},    {gUserTask, "AfterParam", &RunSettings::afterParam},
    {gUserTask, "Uninst1Prog", &RunSettings::uninst1Prog},  {gUserTask, "Uninst1Param", &RunSettings::uninst1Param},
    {gUserTask, "Uninst2Prog", &RunSettings::uninst2Prog},  {gUserTask, "Uninst2Param", &RunSettings::uninst2Param},
};
const TextKey kInstallKeys[] = {
    {gInfo, "Web", &RunSettings::web},
    {gSettings, "NoCopyExt", &RunSettings::noCopyExt},
    {gStartMenue, "DefaultDir", &RunSettings::startMenuDefaultDir},
    {gStartMenue, "Help", &RunSettings::help},
    {gStartMenue, "URL", &RunSettings::url},
    {gStartMenue, "Exe", &RunSettings::exe},
    {gTask, "ProgParameter", &RunSettings::progParameter},
    {gTask, "ScriptFile", &RunSettings::scriptFile},
};
const TextKey kInstallationKeys[] = {
    {gInfo, "Date", &RunSettings::date},
    {gInfo, "Author", &RunSettings::author},
    {gInfo, "EMail", &RunSettings::email},
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
  readTextKeys(doc, kDescriptionKeys, settings);
  doc.selectGroup("Settings");
  settings.split = readFlag(doc, "Split");
  doc.selectGroup("Info");
  settings.title = doc.readKeyString("Titel", kUnknownTitle);
  settings.prgFlag = doc.readKeyInteger("PrgFlag", 1);
  doc.closeKeyValueFile();  // the reader trims both ends of every value
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
  readTextKeys(doc, kInstallKeys, settings);

  doc.selectGroup("Settings");
  settings.defaultDir = doc.readKeyString("DefaultDir", previous.installFolder);
  // Without any folder the product would go into the Program Files folder itself, where
  // its uninstall log and any uninstaller would work on every other program's files.
  if (settings.defaultDir.empty()) settings.defaultDir = productFolderName(settings.title, settings.progExe);
  settings.defaultFolderName = defaultFolderNameOf(settings.defaultDir);

  doc.selectGroup("StartMenue");
  settings.progLink = doc.readKeyString("ProgLink", settings.title);
  settings.iUpdater = doc.readKeyInteger("IUpdater", 0);
  settings.unistall = doc.readKeyInteger("Unistall", 0);

  doc.selectGroup("Task");
  settings.desktop = doc.readKeyInteger("Desktop", 0);
  settings.desktopIcon = previous.desktopIcon.empty() ? settings.desktop : parseKeyValueInteger(previous.desktopIcon);
  settings.startProg = readFlag(doc, "StartProg");
  settings.reboot = readFlag(doc, "Reboot");
  settings.noUninstall = readFlag(doc, "NoUninstall");
  settings.startMenu = readFlag(doc, "StartMenu");
  doc.closeKeyValueFile();
}

void readInstallationValues(const std::string& path, RunSettings& settings) {
  KeyValueDocument doc;
  doc.openKeyValueFile(path);
  readTextKeys(doc, kInstallationKeys, settings);
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
