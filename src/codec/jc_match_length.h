// Byte-run comparison for the match finder and the parsers.
#pragma once

#include <cstdint>
#include <cstring>

namespace qv {
namespace jc {

inline uint32_t matchLength(const uint8_t* a, const uint8_t* b, uint32_t limit) {
  uint32_t len = 0;
  while (len + 8 <= limit) {
    uint64_t x, y;
    std::memcpy(&x, a + len, 8);
    std::memcpy(&y, b + len, 8);
    if (x != y) return len + unsigned(__builtin_ctzll(x ^ y)) / 8;  // little-endian hosts
    len += 8;
  }
  while (len < limit && a[len] == b[len]) ++len;
  return len;
}

}  // namespace jc
}  // namespace qv
