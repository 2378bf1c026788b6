// Small text operations the settings, texts and paths share: counting a character,
// the n-th field between separators, and replacing every occurrence of a token.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

size_t countCharacter(std::string_view text, char c);

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

}  // namespace qv
