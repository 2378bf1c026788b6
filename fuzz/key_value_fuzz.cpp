// Key/value text from any bytes: parsing stays inside the text, and the saved form
// reads back as the same lines.
//
// The round-trip invariant: formatting the parsed lines and parsing that again gives the
// same kinds, names, comments and keys, and the same values except for leading spaces
// and tabs. Those can only come from a key line without "=" whose value is the whole
// next line; the saved "key = value" form drops them, as every reader of values does.
// From the second parse on, format and parse are exact inverses. The saved form with a
// byte order mark parses (after the mark) to the same lines as without it.
//
// Also checked: the UTF-8 conversions invert each other, and the integer reader matches
// the C library's strtol clamped to the int range.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/key_value_encoding.h"
#include "runtime/key_value_number.h"
#include "runtime/key_value_text.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

bool holdsNoLineEnd(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool inside(std::string_view part, std::string_view whole) {
  if (part.empty()) return true;
  const char* begin = whole.data();
  return part.data() >= begin && part.data() + part.size() <= begin + whole.size();
}

std::string_view withoutLeadingBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

bool sameLines(const std::vector<qv::KeyValueLine>& a, const std::vector<qv::KeyValueLine>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].kind != b[i].kind || a[i].text != b[i].text || a[i].value != b[i].value) return false;
  return true;
}

void checkRoundTrip(std::string_view text) {
  std::vector<qv::KeyValueLine> first;
  qv::parseKeyValueText(text, first);
  for (const qv::KeyValueLine& line : first) {
    check(inside(line.text, text) && inside(line.value, text));
    check(holdsNoLineEnd(line.text) && holdsNoLineEnd(line.value));
    check(line.kind == qv::KeyValueLineKind::Key || line.value.empty());
  }

  std::string saved = qv::formatKeyValueText(first, false);
  std::vector<qv::KeyValueLine> second;
  qv::parseKeyValueText(saved, second);
  check(second.size() == first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    check(second[i].kind == first[i].kind);
    check(second[i].text == first[i].text);
    check(second[i].value == withoutLeadingBlanks(first[i].value));
  }

  std::string savedAgain = qv::formatKeyValueText(second, false);
  std::vector<qv::KeyValueLine> third;
  qv::parseKeyValueText(savedAgain, third);
  check(sameLines(third, second));
  check(qv::formatKeyValueText(third, false) == savedAgain);

  std::string withMark = qv::formatKeyValueText(first, true);
  check(withMark.compare(0, 3, "\xEF\xBB\xBF") == 0);
  std::vector<qv::KeyValueLine> fromMarked;
  qv::parseKeyValueText(std::string_view(withMark).substr(3), fromMarked);
  check(sameLines(fromMarked, second));
}

void checkEncoding(std::string_view bytes) {
  std::string back;
  check(qv::convertUtf8ToBytes(qv::convertBytesToUtf8(bytes), back) && back == bytes);
  // Reading is strict, so whatever reads is exactly the encoding of what it read as.
  std::string decoded;
  if (qv::convertUtf8ToBytes(bytes, decoded))
    check(qv::convertBytesToUtf8(decoded) == bytes);
  else
    check(decoded.empty());
}

void checkInteger(std::string_view text) {
  int number = qv::parseKeyValueInteger(text);
  std::string terminated(text.substr(0, std::min(text.find('\0'), text.size())));
  // strtoll stops at the first NUL and, in the C locale, skips the same white space.
  long long expected = std::strtoll(terminated.c_str(), nullptr, 10);
  if (expected > INT_MAX) expected = INT_MAX;
  if (expected < INT_MIN) expected = INT_MIN;
  check(number == int(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  checkRoundTrip(text);
  checkEncoding(text);
  if (size <= 64) checkInteger(text);
  return 0;
}
