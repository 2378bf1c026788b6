#include "texts/interface_texts.h"

#include "runtime/key_value_file.h"
#include "runtime/text.h"

namespace qv {
namespace {

// Page01/CopyRight is shown on the welcome page below the body; it has no text of
// its own unless the language file gives one.
const TextEntry kTexts[] = {
    {"Install", "Msg0", "Required disk space:"},
    {"Install", "Msg1", "Copy Program Files"},
    {"Install", "Msg2", "Create Desktop Icon"},
    {"Install", "Msg3", "Create Startmenu Shortcuts"},
    {"Install", "Msg6", "Create additional Links"},
    {"Install", "Ready", "Completed"},
    {"Install", "Help", "Help"},
    {"Install", "Homepage", "Homepage"},
    {"Install", "Uninstall", "Uninstall"},
    {"Page01", "Titel", "Welcome to the installation of|'\1'"},
    {"Page01", "Msg1", "Quarvel will now install '\1' version \2 on your computer."},
    {"Page01", "Msg2", "Click 'Next' to continue installation."},
    {"Page01", "Msg3", "Please close all other applications before continuing."},
    {"Page01", "CopyRight", ""},
    {"Page02", "Titel", "Licence Agreement"},
    {"Page02", "Msg", "Please read the following information before continuing."},
    {"Page02", "AcceptYes", "I accept the agreement"},
    {"Page02", "AcceptNo", "I do not accept the agreement"},
    {"Page03", "Titel", "Setup Settings"},
    {"Page03", "Msg", "Installation Directory, StartMenu Folder and Desktop Icon"},
    {"Page03", "ProgDir", "Install program in this directory:"},
    {"Page03", "MenuDir", "StartMenu folder for Program Shortcuts:"},
    {"Page03", "NoStartMenu", "Create no startmenu entry."},
    {"Page03", "DesktopIcon", "Create a desktop icon"},
    {"Page04", "Titel", "Information"},
    {"Page04", "Msg", "A short description of the program"},
    {"Page05", "Titel1", "Installation of|'\1'"},
    {"Page05", "Msg", "Click 'Install' to start installation!"},
    {"Page05", "Install", "Install Program '\1'"},
    {"Page05", "RunProg", "Start program after closing Quarvel."},
    {"Page05", "Ready", "Installation completed"},
    {"Requester", "RQ1_Titel", "Select Start Menu Folder"},
    {"Requester", "RQ1_Msg", "No valid start menu folder."},
    {"Requester", "RQ2_Titel", "Please select a directory"},
    {"Requester", "RQ3_Titel", "Select Directory"},
    {"Requester", "RQ3_User", "Current User"},
    {"Requester", "RQ3_AllUsers", "All Users"},
    {"Requester", "RQ4_Titel", "Quarvel - Warning"},
    {"Requester", "RQ4_Msg", "Close Program '\1' first!"},
    {"Requester", "RQ4_Msg2", "Then press OK!"},
    {"Requester", "RQ5_Titel", "Associate File Extension"},
    {"Requester", "RQ5_Msg", "Associate File Extension '$Extension' with the program?"},
    {"Requester", "RQ6_Titel", "Error - Copy File"},
    {"Requester", "RQ6_Msg", "Copying file(s) failed."},
    {"Requester", "RQ7_Titel", "Error - Login"},
    {"Requester", "RQ7_Msg", "Login failed."},
    {"FileVersion", "Window", "Copy File"},
    {"FileVersion", "FrameOld", "Current File Version"},
    {"FileVersion", "FrameNew", "New File Version"},
    {"FileVersion", "Msg", "Replace the current file with this file version?"},
    {"FileVersion", "Version", "Version:"},
    {"FileVersion", "Lang", "Language:"},
    {"FileVersion", "Desc", "Description:"},
    {"FileVersion", "NotAvailable", "--- not available ---"},
    {"LoginAdmin", "Window", "Login as administrator"},
    {"LoginAdmin", "User", "Username:"},
    {"LoginAdmin", "Password", "Password:"},
    {"StartMenu", "IUpdater", "InternetUpdater"},
    {"Buttons", "Login", "Login"},
    {"Buttons", "Next", "Next"},
    {"Buttons", "Back", "Back"},
    {"Buttons", "Apply", "Apply"},
    {"Buttons", "Cancel", "Cancel"},
    {"Buttons", "Change", "Change"},
    {"Buttons", "Install", "Install"},
    {"Buttons", "Finish", "Exit"},
    {"Buttons", "Yes", "Yes"},
    {"Buttons", "No", "No"},
    {"Uninstaller", "Titel", "uninstall Program"},
    {"Uninstaller", "Msg", "Program files And registry entries will be removed."},
    {"Uninstaller", "Version", "Version"},
    {"Uninstaller", "UninstInfo", "Remove the following Program from your computer:"},
    {"Uninstaller", "DelAll", "Delete all(!) files in the directory (including user files)."},
    {"Uninstaller", "Error", "Uninstalling Program Not possible."},
    {"Uninstaller", "Status", "Uninstalling completed."},
    {"Uninstaller", "OK", "OK"},
    {"Uninstaller", "Cancel", "Cancel"},
    {"Uninstaller", "Ready", "Ready"},
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == kTextCount, "one entry per text id");

// The two headings show a line per "|"-separated piece.
bool breaksLines(size_t index) {
  return index == size_t(TextId::Page01Titel) || index == size_t(TextId::Page05Titel1);
}

std::string withLineBreaks(const std::string& text) { return replaceAll(text, "|", "\n"); }

}  // namespace

const TextEntry& textEntry(TextId id) { return kTexts[size_t(id) < kTextCount ? size_t(id) : 0]; }

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
    texts_[i] = composeDefault(kTexts[i].defaultText, title, version);
    if (breaksLines(i)) texts_[i] = withLineBreaks(texts_[i]);
  }
}

void InterfaceTexts::loadInterfaceTexts(const std::string& path, const std::string& title,
                                        const std::string& version) {
  KeyValueDocument doc;
  doc.openKeyValueFile(path);
  std::string_view group;
  for (size_t i = 0; i < kTextCount; ++i) {
    const TextEntry& entry = kTexts[i];
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
