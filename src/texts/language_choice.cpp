#include "texts/language_choice.h"

#include "runtime/text.h"

namespace qv {

int parseLanguageNumber(std::string_view text) { return readDecimal(text, false).clamped(); }

std::vector<LanguageEntry> parseLanguageList(const std::string& list) {
  size_t n = countCharacter(list, '|');
  if (n == 0 && !list.empty()) n = 1;
  std::vector<LanguageEntry> entries;
  entries.reserve(n);
  for (size_t i = 1; i <= n; ++i) {
    std::string_view entry = fieldOf(list, '|', i);
    LanguageEntry e;
    e.fileName = std::string(fieldOf(entry, '#', 1));
    e.number = parseLanguageNumber(fieldOf(entry, '#', 2));
    entries.push_back(e);
  }
  return entries;
}

std::vector<std::string> chooserItems(const std::vector<LanguageEntry>& entries) {
  std::vector<std::string> items;
  items.reserve(entries.size());
  for (const LanguageEntry& e : entries) {
    std::string item(1, ' ');
    items.push_back(item.append(languageBaseName(e.fileName)));
  }
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
