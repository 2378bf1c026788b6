#include "runtime/key_value_encoding.h"

namespace qv {

std::string convertBytesToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

bool convertUtf8ToBytes(std::string_view utf8, std::string& bytes) {
  bytes.clear();
  bytes.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      bytes.push_back(static_cast<char>(b));
      continue;
    }
    // Characters 0x80 to 0xFF are exactly the two-byte forms led by C2 or C3. Any other
    // lead is either a longer (so larger) character, an overlong form or no lead at all.
    unsigned char next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
    if ((b != 0xC2 && b != 0xC3) || (next & 0xC0) != 0x80) {
      bytes.clear();
      return false;
    }
    bytes.push_back(static_cast<char>(((b & 0x03) << 6) | (next & 0x3F)));
    ++i;
  }
  return true;
}

}  // namespace qv
