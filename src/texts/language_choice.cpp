#include "texts/language_choice.h"

#include "runtime/text.h"

namespace qv {

int parseLanguageNumber(std::string_view text) { return readDecimal(text, false).clamped(); }

std::vector<LanguageEntry> parseLanguageList(const std::string& list) {
  size_t n = countCharacter(list, '|');
  if (n == 0 && !list.empty()) n = 1;
  std::vector<LanguageEntry> entries(n);
  for (size_t i = 0; i < n; ++i) {
    std::string_view entry = fieldOf(list, '|', i + 1);
    entries[i].fileName = std::string(fieldOf(entry, '#', 1));
    entries[i].number = parseLanguageNumber(fieldOf(entry, '#', 2));
  }
  return entries;
}

std::vector<std::string> chooserItems(const std::vector<LanguageEntry>& entries) {
  std::vector<std::string> items(entries.size(), std::string(1, ' '));
  for (size_t i = 0; i < entries.size(); ++i) items[i] += languageBaseName(entries[i].fileName);
  return items;
}

LanguageChoice chooseLanguageFile(const std::string& list, uint16_t userLanguageId, LanguageChooser& chooser) {
  LanguageChoice choice;
  std::vector<LanguageEntry> entries = parseLanguageList(list);
  if (countCharacter(list, '|') <= 1) {
    if (!entries.empty()) choice.fileName = entries[0].fileName;
    return choice;
  }
  choice.primaryLanguage = userLanguageId & 0x1FF;
  for (const LanguageEntry& e : entries)
    if (e.number == choice.primaryLanguage) choice.fileName = e.fileName;  // the last match wins
  // A match without a file name is no candidate: the user is asked instead.
  if (!choice.fileName.empty()) return choice;
  size_t chosen = 0;
  if (chooser.chooseLanguage(chooserItems(entries), chosen) && chosen < entries.size())
    choice.fileName = entries[chosen].fileName;
  return choice;
}

std::string languageBaseName(const std::string& fileName) { return std::string(textBefore(fileName, '.')); }

}  // namespace qv
