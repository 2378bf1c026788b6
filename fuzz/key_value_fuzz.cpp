// Key/value text from any bytes: parsing stays inside the text, and the saved form
// reads back as the same lines.
//
// The round-trip invariant: the saved form of the parsed lines, read back as a file is
// read (a leading byte order mark makes it UTF-8), gives exactly the same lines and
// the same encoding, so saving never changes what a file says. The saved form with a
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

#include "fuzz_support.h"
#include "runtime/key_value_encoding.h"
#include "runtime/key_value_number.h"
#include "runtime/key_value_text.h"

namespace {

using qvfuzz::check;

bool holdsNoLineEnd(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool inside(std::string_view part, std::string_view whole) {
  if (part.empty()) return true;
  const char* begin = whole.data();
  return part.data() >= begin && part.data() + part.size() <= begin + whole.size();
}

bool sameLines(const std::vector<qv::KeyValueLine>& a, const std::vector<qv::KeyValueLine>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].kind != b[i].kind || a[i].text != b[i].text || a[i].value != b[i].value) return false;
  return true;
}

// The lines and the encoding of a file's bytes, as a document reads them.
bool readAsFile(std::string_view bytes, std::vector<qv::KeyValueLine>& lines) {
  bool utf8 = qv::removeByteOrderMark(bytes);
  qv::parseKeyValueText(bytes, lines);
  return utf8;
}

void checkRoundTrip(std::string_view text) {
  std::vector<qv::KeyValueLine> first;
  bool utf8 = readAsFile(text, first);
  for (const qv::KeyValueLine& line : first) {
    check(inside(line.text, text) && inside(line.value, text));
    check(holdsNoLineEnd(line.text) && holdsNoLineEnd(line.value));
    check(line.kind == qv::KeyValueLineKind::Key || line.value.empty());
  }

  std::string saved = qv::formatKeyValueText(first, utf8);
  std::vector<qv::KeyValueLine> second;
  check(readAsFile(saved, second) == utf8);
  check(sameLines(second, first));
  check(qv::formatKeyValueText(second, utf8) == saved);

  std::string withMark = qv::formatKeyValueText(first, true);
  std::vector<qv::KeyValueLine> fromMarked;
  check(readAsFile(withMark, fromMarked));
  check(sameLines(fromMarked, first));
  std::string withoutMark = qv::formatKeyValueText(first, false);
  std::vector<qv::KeyValueLine> fromUnmarked;
  check(!readAsFile(withoutMark, fromUnmarked));
  check(sameLines(fromUnmarked, first));
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
