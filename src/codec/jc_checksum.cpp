// The block checksum: a sum-and-xor over 32-bit little-endian words. A tail that is
// not a whole word is covered by the last four bytes, overlapping the word before.
#include "codec/jc_block.h"
#include "runtime/bytes.h"

namespace qv {
namespace {

inline uint32_t mixWord(uint32_t c, uint32_t w) {
  c += w;
  return c ^ (((w << 1) | (w >> 31)) + 1);
}

}  // namespace

uint32_t blockChecksum(const uint8_t* data, size_t n) {
  if (!data || n < 4) return 0;
  uint32_t c = 0;
  size_t i = 0;
  for (; i + 4 <= n; i += 4) c = mixWord(c, loadLittleEndian32(data + i));
  if (i < n) c = mixWord(c, loadLittleEndian32(data + n - 4));
  return c;
}

}  // namespace qv
