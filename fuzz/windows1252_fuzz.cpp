// Any bytes as a host file name (UTF-8) and as an ANSI name (Windows-1252): the
// conversions stay inside their input and invert each other wherever they succeed.
//
// UTF-8 to Windows-1252 is strict, so text that converts is exactly the encoding of
// what it converted to; text that does not leaves a stand-in of one byte per
// character or stray byte, with at least one "?". Windows-1252 to UTF-8 fails only on
// an unassigned byte, and what it gives converts back to the same bytes whenever it
// succeeded, and to "?" in the places of those bytes otherwise.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "runtime/windows1252.h"

namespace {

using qvfuzz::check;

bool isUnassigned(unsigned char b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

void checkFromUtf8(std::string_view utf8) {
  std::string ansi, back;
  if (qv::convertUtf8ToWindows1252(utf8, ansi)) {
    check(ansi.size() <= utf8.size());
    check(qv::convertWindows1252ToUtf8(ansi, back) && back == utf8);
  } else {
    check(!ansi.empty() && ansi.size() <= utf8.size());
    check(ansi.find('?') != std::string::npos);
  }
}

void checkFromAnsi(std::string_view ansi) {
  std::string utf8, back;
  bool whole = qv::convertWindows1252ToUtf8(ansi, utf8);
  bool assigned = true;
  std::string expected(ansi);
  for (char& c : expected) {
    if (isUnassigned(static_cast<unsigned char>(c))) {
      assigned = false;
      c = '?';  // U+FFFD has no byte in the code page
    }
  }
  check(whole == assigned);
  check(qv::convertUtf8ToWindows1252(utf8, back) == whole);
  check(back == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkFromUtf8(bytes);
  checkFromAnsi(bytes);
  return 0;
}
