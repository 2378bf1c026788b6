// The choice of the language file from the language list of the setup description:
// entries of file name, "#" and primary language number, each ended by "|", for
// example english.lng#9|german.lng#7|.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct LanguageEntry {
  std::string fileName;  // the first "#"-separated field
  int number = 0;        // the second, as a number (0 when not numeric)
};

// The entries of the list: as many as it holds "|" (1 for a non-empty list without
// any, so an entry without its closing "|" counts only when it is alone).
std::vector<LanguageEntry> parseLanguageList(const std::string& list);

// Leading blanks and tabs, an optional sign, then decimal digits up to the first
// other character; no digits give 0.
int parseLanguageNumber(std::string_view text);

// Asks the user for a language. The Windows window is win32/language_chooser_win32.h.
class LanguageChooser {
 public:
  // Shows the items (each a blank and a file's base name), the first preselected.
  // True with the index of the chosen item; false when the user closed the chooser
  // or it could not be shown.
  virtual bool chooseLanguage(const std::vector<std::string>& items, size_t& chosen) = 0;

 protected:
  ~LanguageChooser() = default;
};

// The chooser of a run that may not ask: it takes the first item, the one the window
// shows preselected.
class FirstLanguageChooser final : public LanguageChooser {
 public:
  bool chooseLanguage(const std::vector<std::string>& items, size_t& chosen) override {
    if (items.empty()) return false;
    chosen = 0;
    return true;
  }
};

struct LanguageChoice {
  std::string fileName;     // empty when none was chosen
  int primaryLanguage = 0;  // the user's, for %LanguageID%; 0 unless chosen automatically
};

// With more than one entry: the last entry whose number equals the user's primary
// language number (userLanguageId & 0x1FF), else the chooser's pick. With one entry
// or none: the first entry's file name, without looking at numbers.
LanguageChoice chooseLanguageFile(const std::string& list, uint16_t userLanguageId, LanguageChooser& chooser);

// The items the chooser shows for the entries: a blank and the base name.
std::vector<std::string> chooserItems(const std::vector<LanguageEntry>& entries);

// The file name up to its first "." (the updater's language file has the same base).
std::string languageBaseName(const std::string& fileName);

}  // namespace qv
