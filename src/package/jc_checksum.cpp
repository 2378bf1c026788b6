// The block checksum: a sum-and-xor over 32-bit little-endian words. A tail that is
// not a whole word is covered by the last four bytes, overlapping the word before.
#include "package/jc_block.h"

namespace qv {
namespace {

inline uint32_t loadWord(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint32_t mixWord(uint32_t c, uint32_t w) {
  c += w;
  return c ^ (((w << 1) | (w >> 31)) + 1);
}

}  // namespace

uint32_t blockChecksum(const uint8_t* data, size_t n) {
  if (!data || n < 4) return 0;
  uint32_t c = 0;
  size_t i = 0;
  for (; i + 4 <= n; i += 4) c = mixWord(c, loadWord(data + i));
  if (i < n) c = mixWord(c, loadWord(data + n - 4));
  return c;
}

}  // namespace qv
