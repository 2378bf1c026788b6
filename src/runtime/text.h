// Small text operations the settings, texts, tasks and paths share: blanks, letter
// case, decimal numbers, counting a character, the n-th field between separators, and
// replacing every occurrence of a token. Everything works on bytes, whatever the
// locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

// A space or a tab.
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
std::string_view withoutLeadingBlanks(std::string_view text);
std::string_view withoutTrailingBlanks(std::string_view text);
std::string_view withoutBlanks(std::string_view text);  // at both ends

// A decimal number as the stub reads them: leading blanks skipped (with
// `anyWhiteSpace`, also CR, LF, VT and FF, as the C library's atoi does), an optional
// sign, then the digits up to the first other byte. No digits read as 0.
struct DecimalNumber {
  bool negative = false;
  uint64_t magnitude = 0;  // saturated: any magnitude beyond 2^32 reads as 2^32
  uint32_t low32 = 0;      // the magnitude modulo 2^32, for values kept in narrower fields
  // Clamped to the int range, as the C library's conversions clamp.
  int clamped() const;
  // Taken modulo 2^32 with its sign, as a 32-bit conversion wraps; narrower fields
  // keep its low bits.
  uint32_t wrapped() const { return negative ? 0u - low32 : low32; }
};
DecimalNumber readDecimal(std::string_view text, bool anyWhiteSpace);

// A number in decimal digits, with a "-" before a negative one. Written here rather
// than taken from std::to_string, whose digit-pair table and helpers the stub would
// carry for these few keys and records.
std::string decimalText(uint32_t value);
std::string signedDecimalText(int32_t value);

size_t countCharacter(std::string_view text, char c);

inline bool endsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The letters a to z as A to Z; every other byte stays, whatever the locale.
inline char upperCaseLetter(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
inline char lowerCaseLetter(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Equal when the letters A to Z are taken without regard to case; other bytes compare
// exactly.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Field `number` (from 1) of the text cut at every `separator`; empty when the text
// has fewer fields or `number` is 0.
std::string_view fieldOf(std::string_view text, char separator, size_t number);

// The text up to its first `c`, or the whole text when it holds none.
std::string_view textBefore(std::string_view text, char c);

// Every occurrence of `token`, scanning left to right, replaced by `value`; the
// inserted text is not scanned again. Case-sensitive; an empty token changes nothing.
std::string replaceAll(std::string_view text, std::string_view token, std::string_view value);

// Sorts by `less`, keeping equal items in their order. An insertion sort of adjacent
// swaps: the lists sorted here are short (the entries of one folder, the start-menu
// folders), it costs the stub a few dozen bytes per item type where std::sort costs a
// kilobyte, and strings swapped trade their buffers.
template <typename Item, typename Less>
void sortShortList(std::vector<Item>& items, Less less) {
  using std::swap;
  for (size_t i = 1; i < items.size(); ++i)
    for (size_t j = i; j > 0 && less(items[j], items[j - 1]); --j) swap(items[j], items[j - 1]);
}

// Command lines, as both programs read theirs: the text after the program name of a
// full command line (as the system hands it to a program). A program name in double
// quotes runs to the closing quote, any other to the first blank or tab; the blanks
// after it are skipped as well.
std::string skipProgramName(const std::string& commandLine);

// Splits the next parameter off text, starting at pos and leaving pos behind it.
// Blanks and tabs before it are skipped; one beginning with a double quote runs to
// the next double quote (or the end) and is taken without the quotes, any other
// runs to the next blank or tab. An empty result means the scan ends.
std::string nextParameter(const std::string& text, size_t& pos);

}  // namespace qv
