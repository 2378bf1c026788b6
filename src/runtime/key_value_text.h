// The text form of key/value files: parsing a file's bytes into an ordered list of
// group, comment and key lines, and formatting such a list into the saved form.
// Pure functions over bytes; the document that owns the bytes is runtime/key_value_file.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class KeyValueLineKind : uint8_t { Group, Comment, Key };

// One line. The views point into the parsed text (or, for rewritten keys and values,
// into storage the document keeps); parsed ones never hold a CR, LF or NUL byte.
struct KeyValueLine {
  KeyValueLineKind kind = KeyValueLineKind::Key;
  std::string_view text;   // group name, comment text or key
  std::string_view value;  // key lines only
};

// The byte order mark that makes a key/value file UTF-8.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// True, with the mark cut off `text`, when a file's bytes begin with it: the file is
// then UTF-8.
bool removeByteOrderMark(std::string_view& text);

// Appends the lines of `text` (a file's bytes without a byte order mark) in file order.
// CR, LF and NUL end lines; empty and blank lines are dropped. A key line without "="
// has an empty value.
void parseKeyValueText(std::string_view text, std::vector<KeyValueLine>& lines);

// The saved form: EF BB BF CR LF first when `utf8`, then every line followed by CR LF.
// An ANSI text whose first line begins with the mark bytes starts with CR LF, so that
// it never reads back as UTF-8: parsing the saved form gives the same lines.
std::string formatKeyValueText(const std::vector<KeyValueLine>& lines, bool utf8);

}  // namespace qv
