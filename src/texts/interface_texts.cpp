#include "texts/interface_texts.h"

#include <cstring>

#include "runtime/key_value_file.h"
#include "runtime/text.h"

namespace qv {
namespace {

// The groups of the language file, in the table's order, each ended by a zero byte.
constexpr char kGroups[] = "Install\0Page01\0Page02\0Page03\0Page04\0Page05\0Requester\0FileVersion\0LoginAdmin\0"
                           "StartMenu\0Buttons\0Uninstaller";

// Every text in table order: its key, a zero byte, its default, a zero byte. One
// literal rather than a pointer per text, which would cost a relocation each.
// Page01/CopyRight is shown on the welcome page below the body; it has no text of
// its own unless the language file gives one.
constexpr char kTexts[] =
    // [Install]
    "Msg0\0" "Required disk space:\0"
    "Msg1\0" "Copy Program Files\0"
    "Msg2\0" "Create Desktop Icon\0"
    "Msg3\0" "Create Startmenu Shortcuts\0"
    "Msg6\0" "Create additional Links\0"
    "Ready\0" "Completed\0"
    "Help\0" "Help\0"
    "Homepage\0" "Homepage\0"
    "Uninstall\0" "Uninstall\0"
    // [Page01]
    "Titel\0" "Welcome to the installation of|'\1'\0"
    "Msg1\0" "Quarvel will now install '\1' version \2 on your computer.\0"
    "Msg2\0" "Click 'Next' to continue installation.\0"
    "Msg3\0" "Please close all other applications before continuing.\0"
    "CopyRight\0" "\0"
    // [Page02]
    "Titel\0" "Licence Agreement\0"
    "Msg\0" "Please read the following information before continuing.\0"
    "AcceptYes\0" "I accept the agreement\0"
    "AcceptNo\0" "I do not accept the agreement\0"
    // [Page03]
    "Titel\0" "Setup Settings\0"
    "Msg\0" "Installation Directory, StartMenu Folder and Desktop Icon\0"
    "ProgDir\0" "Install program in this directory:\0"
    "MenuDir\0" "StartMenu folder for Program Shortcuts:\0"
    "NoStartMenu\0" "Create no startmenu entry.\0"
    "DesktopIcon\0" "Create a desktop icon\0"
    // [Page04]
    "Titel\0" "Information\0"
    "Msg\0" "A short description of the program\0"
    // [Page05]
    "Titel1\0" "Installation of|'\1'\0"
    "Msg\0" "Click 'Install' to start installation!\0"
    "Install\0" "Install Program '\1'\0"
    "RunProg\0" "Start program after closing Quarvel.\0"
    "Ready\0" "Installation completed\0"
    // [Requester]
    "RQ1_Titel\0" "Select Start Menu Folder\0"
    "RQ1_Msg\0" "No valid start menu folder.\0"
    "RQ2_Titel\0" "Please select a directory\0"
    "RQ3_Titel\0" "Select Directory\0"
    "RQ3_User\0" "Current User\0"
    "RQ3_AllUsers\0" "All Users\0"
    "RQ4_Titel\0" "Quarvel - Warning\0"
    "RQ4_Msg\0" "Close Program '\1' first!\0"
    "RQ4_Msg2\0" "Then press OK!\0"
    "RQ5_Titel\0" "Associate File Extension\0"
    "RQ5_Msg\0" "Associate File Extension '$Extension' with the program?\0"
    "RQ6_Titel\0" "Error - Copy File\0"
    "RQ6_Msg\0" "Copying file(s) failed.\0"
    "RQ7_Titel\0" "Error - Login\0"
    "RQ7_Msg\0" "Login failed.\0"
    // [FileVersion]
    "Window\0" "Copy File\0"
    "FrameOld\0" "Current File Version\0"
    "FrameNew\0" "New File Version\0"
    "Msg\0" "Replace the current file with this file version?\0"
    "Version\0" "Version:\0"
    "Lang\0" "Language:\0"
    "Desc\0" "Description:\0"
    "NotAvailable\0" "--- not available ---\0"
    // [LoginAdmin]
    "Window\0" "Login as administrator\0"
    "User\0" "Username:\0"
    "Password\0" "Password:\0"
    // [StartMenu]
    "IUpdater\0" "InternetUpdater\0"
    // [Buttons]
    "Login\0" "Login\0"
    "Next\0" "Next\0"
    "Back\0" "Back\0"
    "Apply\0" "Apply\0"
    "Cancel\0" "Cancel\0"
    "Change\0" "Change\0"
    "Install\0" "Install\0"
    "Finish\0" "Exit\0"
    "Yes\0" "Yes\0"
    "No\0" "No\0"
    // [Uninstaller]
    "Titel\0" "uninstall Program\0"
    "Msg\0" "Program files And registry entries will be removed.\0"
    "Version\0" "Version\0"
    "UninstInfo\0" "Remove the following Program from your computer:\0"
    "DelAll\0" "Delete all(!) files in the directory (including user files).\0"
    "Error\0" "Uninstalling Program Not possible.\0"
    "Status\0" "Uninstalling completed.\0"
    "OK\0" "OK\0"
    "Cancel\0" "Cancel\0"
    "Ready\0" "Ready\0";
// How many texts each group holds, in the groups' order.
constexpr uint8_t kGroupSizes[] = {9, 5, 4, 6, 2, 5, 15, 8, 3, 1, 10, 10};

constexpr size_t zeroBytesIn(const char* text, size_t n) {
  size_t count = 0;
  for (size_t i = 0; i < n; ++i) count += text[i] == '\0' ? 1 : 0;
  return count;
}
constexpr size_t sumOf(const uint8_t* sizes, size_t n) {
  size_t sum = 0;
  for (size_t i = 0; i < n; ++i) sum += sizes[i];
  return sum;
}
static_assert(sumOf(kGroupSizes, sizeof(kGroupSizes)) == kTextCount, "one entry per text id");
static_assert(zeroBytesIn(kTexts, sizeof(kTexts) - 1) == 2 * kTextCount, "a key and a default per text");
static_assert(zeroBytesIn(kGroups, sizeof(kGroups)) == sizeof(kGroupSizes), "a size per group");

// The string `n` strings on from `text` in a run of zero-ended strings.
const char* followingString(const char* text, size_t n) {
  for (; n > 0; --n) text += std::strlen(text) + 1;
  return text;
}

// The two headings show a line per "|"-separated piece.
bool breaksLines(size_t index) {
  return index == size_t(TextId::Page01Titel) || index == size_t(TextId::Page05Titel1);
}

std::string withLineBreaks(const std::string& text) { return replaceAll(text, "|", "\n"); }

}  // namespace

TextEntry textEntry(TextId id) {
  const size_t index = size_t(id) < kTextCount ? size_t(id) : 0;
  size_t group = 0;
  for (size_t first = kGroupSizes[0]; index >= first;) first += kGroupSizes[++group];
  const char* key = followingString(kTexts, 2 * index);
  return TextEntry{followingString(kGroups, group), key, followingString(key, 1)};
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
