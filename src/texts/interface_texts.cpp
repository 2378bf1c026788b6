#include "texts/interface_texts.h"

#include <cstring>

#include "runtime/key_value_file.h"
#include "runtime/text.h"

namespace qv {
namespace {

// The groups of the language file, in the table's order.
enum Group : uint8_t {
  gInstall, gPage01, gPage02, gPage03, gPage04, gPage05, gRequester, gFileVersion, gLoginAdmin, gStartMenu, gButtons,
  gUninstaller
};
const char* const kGroups[] = {"Install",   "Page01",      "Page02",     "Page03",    "Page04",  "Page05",
                               "Requester", "FileVersion", "LoginAdmin", "StartMenu", "Buttons", "Uninstaller"};

// One text: its group's index, and its key and default in one literal, apart by a
// zero byte. Half the pointers of three fields, and half their relocations.
struct PackedText {
  uint8_t group;
  const char* keyAndDefault;
};

// Page01/CopyRight is shown on the welcome page below the body; it has no text of
// its own unless the language file gives one.
const PackedText kTexts[] = {
    {gInstall, "Msg0\0" "Required disk space:"},
    {gInstall, "Msg1\0" "Copy Program Files"},
    {gInstall, "Msg2\0" "Create Desktop Icon"},
    {gInstall, "Msg3\0" "Create Startmenu Shortcuts"},
    {gInstall, "Msg6\0" "Create additional Links"},
    {gInstall, "Ready\0" "Completed"},
    {gInstall, "Help\0" "Help"},
    {gInstall, "Homepage\0" "Homepage"},
    {gInstall, "Uninstall\0" "Uninstall"},
    {gPage01, "Titel\0" "Welcome to the installation of|'\1'"},
    {gPage01, "Msg1\0" "Quarvel will now install '\1' version \2 on your computer."},
    {gPage01, "Msg2\0" "Click 'Next' to continue installation."},
    {gPage01, "Msg3\0" "Please close all other applications before continuing."},
    {gPage01, "CopyRight\0" ""},
    {gPage02, "Titel\0" "Licence Agreement"},
    {gPage02, "Msg\0" "Please read the following information before continuing."},
    {gPage02, "AcceptYes\0" "I accept the agreement"},
    {gPage02, "AcceptNo\0" "I do not accept the agreement"},
    {gPage03, "Titel\0" "Setup Settings"},
    {gPage03, "Msg\0" "Installation Directory, StartMenu Folder and Desktop Icon"},
    {gPage03, "ProgDir\0" "Install program in this directory:"},
    {gPage03, "MenuDir\0" "StartMenu folder for Program Shortcuts:"},
    {gPage03, "NoStartMenu\0" "Create no startmenu entry."},
    {gPage03, "DesktopIcon\0" "Create a desktop icon"},
    {gPage04, "Titel\0" "Information"},
    {gPage04, "Msg\0" "A short description of the program"},
    {gPage05, "Titel1\0" "Installation of|'\1'"},
    {gPage05, "Msg\0" "Click 'Install' to start installation!"},
    {gPage05, "Install\0" "Install Program '\1'"},
    {gPage05, "RunProg\0" "Start program after closing Quarvel."},
    {gPage05, "Ready\0" "Installation completed"},
    {gRequester, "RQ1_Titel\0" "Select Start Menu Folder"},
    {gRequester, "RQ1_Msg\0" "No valid start menu folder."},
    {gRequester, "RQ2_Titel\0" "Please select a directory"},
    {gRequester, "RQ3_Titel\0" "Select Directory"},
    {gRequester, "RQ3_User\0" "Current User"},
    {gRequester, "RQ3_AllUsers\0" "All Users"},
    {gRequester, "RQ4_Titel\0" "Quarvel - Warning"},
    {gRequester, "RQ4_Msg\0" "Close Program '\1' first!"},
    {gRequester, "RQ4_Msg2\0" "Then press OK!"},
    {gRequester, "RQ5_Titel\0" "Associate File Extension"},
    {gRequester, "RQ5_Msg\0" "Associate File Extension '$Extension' with the program?"},
    {gRequester, "RQ6_Titel\0" "Error - Copy File"},
    {gRequester, "RQ6_Msg\0" "Copying file(s) failed."},
    {gRequester, "RQ7_Titel\0" "Error - Login"},
    {gRequester, "RQ7_Msg\0" "Login failed."},
    {gFileVersion, "Window\0" "Copy File"},
    {gFileVersion, "FrameOld\0" "Current File Version"},
    {gFileVersion, "FrameNew\0" "New File Version"},
    {gFileVersion, "Msg\0" "Replace the current file with this file version?"},
    {gFileVersion, "Version\0" "Version:"},
    {gFileVersion, "Lang\0" "Language:"},
    {gFileVersion, "Desc\0" "Description:"},
    {gFileVersion, "NotAvailable\0" "--- not available ---"},
    {gLoginAdmin, "Window\0" "Login as administrator"},
    {gLoginAdmin, "User\0" "Username:"},
    {gLoginAdmin, "Password\0" "Password:"},
    {gStartMenu, "IUpdater\0" "InternetUpdater"},
    {gButtons, "Login\0" "Login"},
    {gButtons, "Next\0" "Next"},
    {gButtons, "Back\0" "Back"},
    {gButtons, "Apply\0" "Apply"},
    {gButtons, "Cancel\0" "Cancel"},
    {gButtons, "Change\0" "Change"},
    {gButtons, "Install\0" "Install"},
    {gButtons, "Finish\0" "Exit"},
    {gButtons, "Yes\0" "Yes"},
    {gButtons, "No\0" "No"},
    {gUninstaller, "Titel\0" "uninstall Program"},
    {gUninstaller, "Msg\0" "Program files And registry entries will be removed."},
    {gUninstaller, "Version\0" "Version"},
    {gUninstaller, "UninstInfo\0" "Remove the following Program from your computer:"},
    {gUninstaller, "DelAll\0" "Delete all(!) files in the directory (including user files)."},
    {gUninstaller, "Error\0" "Uninstalling Program Not possible."},
    {gUninstaller, "Status\0" "Uninstalling completed."},
    {gUninstaller, "OK\0" "OK"},
    {gUninstaller, "Cancel\0" "Cancel"},
    {gUninstaller, "Ready\0" "Ready"},
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == kTextCount, "one entry per text id");

// The two headings show a line per "|"-separated piece.
bool breaksLines(size_t index) {
  return index == size_t(TextId::Page01Titel) || index == size_t(TextId::Page05Titel1);
}

std::string withLineBreaks(const std::string& text) { return replaceAll(text, "|", "\n"); }

}  // namespace

TextEntry textEntry(TextId id) {
  const PackedText& packed = kTexts[size_t(id) < kTextCount ? size_t(id) : 0];
  const char* key = packed.keyAndDefault;
  return TextEntry{kGroups[packed.group], key, key + std::strlen(key) + 1};
}

std::string composeDefault(const char* defaultText, const std::string& title, const std::string& version) {
  std::string out;
  for (const char* p = defaultText; *p; ++p) {
    if (*p == '\1')
      out += title;
    else if (*p == '\2')
      out += version;
    else
      out += *p;
  }
  return out;
}

InterfaceTexts::InterfaceTexts() { fillDefaults(kUnknownTitle, ""); }

void InterfaceTexts::fillDefaults(const std::string& title, const std::string& version) {
  for (size_t i = 0; i < kTextCount; ++i) {
    texts_[i] = composeDefault(textEntry(TextId(i)).defaultText, title, version);
    if (breaksLines(i)) texts_[i] = withLineBreaks(texts_[i]);
  }
}

void InterfaceTexts::loadInterfaceTexts(const std::string& path, const std::string& title,
                                        const std::string& version) {
  KeyValueDocument doc;
  doc.openKeyValueFile(path);
  std::string_view group;
  for (size_t i = 0; i < kTextCount; ++i) {
    const TextEntry entry = textEntry(TextId(i));
    // The table runs group by group, so each group is selected once.
    if (i == 0 || group != entry.group) {
      group = entry.group;
      doc.selectGroup(group);
    }
    std::string text = doc.readKeyString(entry.key, composeDefault(entry.defaultText, title, version));
    texts_[i] = breaksLines(i) ? withLineBreaks(text) : text;
  }
  doc.closeKeyValueFile();
}

std::string closeProgramMessage(const InterfaceTexts& texts, const std::string& title) {
  return replaceAll(texts.text(TextId::Rq4Msg), "$Titel", title);
}

std::string associateExtensionQuestion(const InterfaceTexts& texts, const std::string& extension) {
  return replaceAll(texts.text(TextId::Rq5Msg), "$Extension", "*." + extension) + "  ";
}

}  // namespace qv
