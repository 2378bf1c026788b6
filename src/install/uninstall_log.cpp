#include "install/uninstall_log.h"

#include <cstring>

#include "runtime/key_value_file.h"
#include "runtime/text.h"
#include "system/shortcuts.h"

namespace qv {
namespace {

void writeSettingsGroup(KeyValueDocument& log, const UninstallLogRun& run, const RunSettings& settings) {
  log.selectGroup("Settings");
  log.writeKeyString("ProgDir", run.installFolder);
  log.writeKeyString("ProgExe", settings.progExe);
  log.writeKeyString("GUID", settings.guid);
  log.writeKeyString("ProgLink", settings.progLink);
  log.writeKeyString("StartMenu", settings.startMenuPath);
  log.writeKeyString("DesktopIcon", run.desktopIcon);
  log.writeKeyInteger("LoginAdmin", run.loggedOnAsAdministrator ? 1 : 0);
}

// Keys with the texts they take, written in order: the names in one literal (each
// ended by a zero byte), the texts in a list of the same length.
void writeTextKeys(KeyValueDocument& log, const char* names, const TextId* ids, size_t count,
                   const InterfaceTexts& texts) {
  for (size_t i = 0; i < count; ++i, names += std::strlen(names) + 1) log.writeKeyString(names, texts.text(ids[i]));
}

void writeLanguageGroup(KeyValueDocument& log, const InterfaceTexts& texts) {
  static const TextId kBefore[] = {TextId::UninstallerTitel,      TextId::UninstallerMsg,
                                   TextId::UninstallerVersion,    TextId::UninstallerUninstInfo,
                                   TextId::UninstallerDelAll,     TextId::UninstallerError};
  static const TextId kAfter[] = {TextId::UninstallerStatus, TextId::LoginAdminWindow,  TextId::LoginAdminUser,
                                  TextId::LoginAdminPassword, TextId::Rq7Titel,         TextId::Rq7Msg,
                                  TextId::UninstallerOk,     TextId::UninstallerCancel, TextId::UninstallerReady,
                                  TextId::ButtonLogin};
  log.selectGroup("Language");
  writeTextKeys(log, "Titel\0Msg\0Version\0UninstInfo\0DelAll\0Error", kBefore,
                sizeof(kBefore) / sizeof(kBefore[0]), texts);
  // The two lines of the running-program warning; the uninstaller puts in the title.
  log.writeKeyString("Mutex", texts.text(TextId::Rq4Msg) + "|" + texts.text(TextId::Rq4Msg2));
  writeTextKeys(log, "Status\0Logon\0User\0Password\0RQ_Titel\0RQ_Msg\0OK\0Cancel\0Ready\0Login", kAfter,
                sizeof(kAfter) / sizeof(kAfter[0]), texts);
}

void writeStartMenuGroup(KeyValueDocument& log, const UninstallLogRun& run, const RunSettings& settings,
                         const InterfaceTexts& texts) {
  // The same names the start-menu step gives its links, made or not; the additional
  // program is named only when that step ran.
  StartMenuLinkFiles links = startMenuLinkFiles(settings.startMenuPath, settings.progLink,
                                                run.startMenuLinksMade ? settings.exe : std::string(), texts);
  log.selectGroup("StartMenu");
  log.writeKeyString("Program", links.program);
  log.writeKeyString("AddExe", links.addExe);
  log.writeKeyString("Help", links.help);
  log.writeKeyString("Homepage", links.homepage);
  log.writeKeyString("IUpdater", links.iUpdater);
  log.writeKeyString("Uninstall", links.uninstall);
}

void writeStartProgGroup(KeyValueDocument& log, const RunSettings& settings) {
  log.selectGroup("StartProg");
  log.writeKeyString("BeforeUninst", settings.uninst1Prog);
  log.writeKeyString("BeforeParam", settings.uninst1Param);
  log.writeKeyString("AfterUninst", settings.uninst2Prog);
  log.writeKeyString("AfterParam", settings.uninst2Param);
}

// Number, then key prefix + 1 to Number, one line each.
void writeNumberedGroup(KeyValueDocument& log, const char* group, const char* keyPrefix,
                        const std::vector<std::string>& lines) {
  log.selectGroup(group);
  // A log holds what an int counts; the lines after that are not numbered.
  size_t count = lines.size() > size_t(0x7FFFFFFF) ? size_t(0x7FFFFFFF) : lines.size();
  log.writeKeyInteger("Number", int(count));
  for (size_t i = 0; i < count; ++i) {
    std::string key = keyPrefix;
    log.writeKeyString(key += decimalText(uint32_t(i + 1)), lines[i]);
  }
}

}  // namespace

void writeUninstallLog(const UninstallLogRun& run, RunSettings& settings, const InterfaceTexts& texts,
                       const std::vector<std::string>& undoRecords) {
  if (settings.noUninstall) return;
  if (settings.progLink.empty()) settings.progLink = std::string(textBefore(settings.progExe, '.'));

  KeyValueDocument log;
  log.openKeyValueFile(run.installFolder + kUninstallLogName);
  writeSettingsGroup(log, run, settings);
  writeLanguageGroup(log, texts);
  writeStartMenuGroup(log, run, settings, texts);
  writeStartProgGroup(log, settings);
  writeNumberedGroup(log, "UserTask", "Task", undoRecords);
  writeNumberedGroup(log, "Files", "File", run.productFiles);
  log.closeKeyValueFile();
}

}  // namespace qv
