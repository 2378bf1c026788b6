#include "uninstall/uninstall_log_reader.h"

#include "runtime/key_value_file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {
namespace {

// The numbered keys prefix1..prefixN of the selected group, N from its Number,
// empty values skipped.
std::vector<std::string> readNumberedKeys(const KeyValueDocument& document, const char* prefix) {
  std::vector<std::string> values;
  int count = document.readKeyInteger("Number", 0);
  if (count > kMostLogItems) count = kMostLogItems;
  for (int i = 1; i <= count; ++i) {
    std::string value = document.readKeyString(prefix + decimalText(uint32_t(i)), "");
    if (!value.empty()) values.push_back(std::move(value));
  }
  return values;
}

void readLanguageGroup(const KeyValueDocument& document, UninstallLogContents& log, InterfaceTexts& texts) {
  struct Key {
    const char* name;
    TextId text;
  };
  static const Key kKeys[] = {
      {"Titel", TextId::UninstallerTitel},      {"Msg", TextId::UninstallerMsg},
      {"Version", TextId::UninstallerVersion},  {"UninstInfo", TextId::UninstallerUninstInfo},
      {"DelAll", TextId::UninstallerDelAll},    {"Error", TextId::UninstallerError},
      {"Status", TextId::UninstallerStatus},    {"OK", TextId::UninstallerOk},
      {"Cancel", TextId::UninstallerCancel},    {"Ready", TextId::UninstallerReady},
      {"Logon", TextId::LoginAdminWindow},      {"User", TextId::LoginAdminUser},
      {"Password", TextId::LoginAdminPassword}, {"Login", TextId::ButtonLogin},
      {"RQ_Titel", TextId::Rq7Titel},           {"RQ_Msg", TextId::Rq7Msg},
  };
  for (const Key& key : kKeys) {
    std::string text = document.readKeyString(key.name, "");
    if (!text.empty()) texts.setText(key.text, std::move(text));
  }
  std::string warning = document.readKeyString("Mutex", "");
  if (warning.empty()) warning = texts.text(TextId::Rq4Msg) + "|" + texts.text(TextId::Rq4Msg2);
  log.runningWarning = replaceAll(replaceAll(warning, "$Titel", log.progLink), "|", "\n");
}

}  // namespace

bool readUninstallLog(const std::string& path, UninstallLogContents& log, InterfaceTexts& texts) {
  log = UninstallLogContents();
  KeyValueDocument document;
  if (!document.openKeyValueFile(path) || !document.selectGroup("Settings")) return false;
  log.progDir = document.readKeyString("ProgDir", "");
  if (log.progDir.empty()) return false;
  log.progDir = withTrailingBackslash(log.progDir);
  log.progExe = document.readKeyString("ProgExe", "");
  log.guid = document.readKeyString("GUID", "");
  log.progLink = document.readKeyString("ProgLink", "");
  log.startMenu = document.readKeyString("StartMenu", "");
  log.desktopIcon = document.readKeyString("DesktopIcon", "");
  log.loginAdmin = document.readKeyInteger("LoginAdmin", 0) == 1;

  if (document.selectGroup("StartMenu")) {
    for (const char* key : {"Program", "AddExe", "Help", "Homepage", "IUpdater", "Uninstall"}) {
      std::string link = document.readKeyString(key, "");
      if (!link.empty()) log.startMenuLinks.push_back(std::move(link));
    }
  }
  if (document.selectGroup("StartProg")) {
    log.beforeUninst = document.readKeyString("BeforeUninst", "");
    log.beforeParam = document.readKeyString("BeforeParam", "");
    log.afterUninst = document.readKeyString("AfterUninst", "");
    log.afterParam = document.readKeyString("AfterParam", "");
  }
  if (document.selectGroup("UserTask")) log.undoRecords = readNumberedKeys(document, "Task");
  if (document.selectGroup("Files")) log.files = readNumberedKeys(document, "File");
  document.selectGroup("Language");
  readLanguageGroup(document, log, texts);
  // Read only: the log is removed at the end, and a damaged one must not be rewritten.
  return true;
}

}  // namespace qv
