#include "runtime/windows1252.h"

#include <cstdint>

namespace qv {
namespace {

// The characters of 0x80 to 0x9F; 0 where the code page assigns none.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

constexpr uint32_t kReplacementCharacter = 0xFFFD;

void appendUtf8(uint32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | (c >> 6)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    // Everything the code page maps to lies below U+10000.
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  }
}

// Decodes the character at text[at] and moves at past it. False for a malformed
// sequence; at then moves past its first byte only, so that decoding resumes at the
// next byte that may begin a character.
bool decodeUtf8(std::string_view text, size_t& at, uint32_t& c) {
  unsigned char lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) {
    c = lead;
    return true;
  }
  size_t more;
  uint32_t least;  // the smallest character of that length: anything below is overlong
  if ((lead & 0xE0) == 0xC0) {
    more = 1, least = 0x80, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    more = 2, least = 0x800, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    more = 3, least = 0x10000, c = lead & 0x07;
  } else {
    return false;  // a continuation byte, or a lead no character has
  }
  if (text.size() - at < more) return false;
  for (size_t i = 0; i < more; ++i) {
    unsigned char next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  at += more;
  return true;
}

// The code page's byte for a character; false when it has none.
bool findWindows1252Byte(uint32_t c, unsigned char& byte) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    byte = static_cast<unsigned char>(c);
    return true;
  }
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) {
      byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

}  // namespace

bool convertWindows1252ToUtf8(std::string_view ansi, std::string& utf8) {
  utf8.clear();
  utf8.reserve(ansi.size() + ansi.size() / 2);
  bool whole = true;
  for (char ch : ansi) {
    unsigned char b = static_cast<unsigned char>(ch);
    uint32_t c = b;
    if (b >= 0x80 && b < 0xA0) {
      c = kHighControls[b - 0x80];
      if (c == 0) {
        c = kReplacementCharacter;
        whole = false;
      }
    }
    appendUtf8(c, utf8);
  }
  return whole;
}

bool convertUtf8ToWindows1252(std::string_view utf8, std::string& ansi) {
  ansi.clear();
  ansi.reserve(utf8.size());
  bool whole = true;
  size_t at = 0;
  while (at < utf8.size()) {
    uint32_t c = 0;
    unsigned char byte = 0;
    if (decodeUtf8(utf8, at, c) && findWindows1252Byte(c, byte)) {
      ansi.push_back(static_cast<char>(byte));
    } else {
      ansi.push_back('?');
      whole = false;
    }
  }
  return whole;
}

}  // namespace qv
