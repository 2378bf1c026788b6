// Bit costs of JC codes, for the encoder's parsers and its code choice.
#pragma once

#include <cstdint>

#include "codec/jc_codes.h"

namespace qv {
namespace jc {

constexpr uint32_t kNoCode = 0xFFFFFFFFu;

inline unsigned topBit(uint64_t v) { return 63 - unsigned(__builtin_clzll(v)); }
// A gamma code of v >= 2 takes two bits per bit after the leading one.
inline uint32_t gammaCost(uint64_t v) { return 2 * topBit(v); }

constexpr uint32_t kLiteralCode8 = 9;
constexpr uint32_t kLiteralCode7 = 8;
constexpr uint32_t kNibbleCode = 7;  // zero byte or one byte from 1 to 14 back
constexpr uint32_t kShortCode = 12;
constexpr uint32_t kRawChunkCode = 8 * kRawChunk + 1;  // plus 8 for the run's start
constexpr uint32_t kWidthCode8 = 9;
constexpr uint32_t kWidthCode7 = 17;

inline uint32_t repeatCost(uint32_t len) { return 4 + gammaCost(len); }

// A long match with an explicit offset, or kNoCode when the length is too short
// for the offset's adjustment.
inline uint32_t longMatchCost(uint32_t len, uint64_t offset, unsigned offsetWidth) {
  const uint32_t adj = lengthAdjustment(offset);
  if (len < adj + 2) return kNoCode;
  return 2 + gammaCost((offset >> offsetWidth) + 3) + offsetWidth + gammaCost(len - adj);
}

// The cheapest code that copies len bytes from offset back, given the last offset.
inline uint32_t matchCost(uint32_t len, uint64_t offset, uint64_t lastOffset, unsigned offsetWidth) {
  if (len == 1) return offset <= kNibbleMaxOffset ? kNibbleCode : kNoCode;
  uint32_t best = longMatchCost(len, offset, offsetWidth);
  if (offset == lastOffset) {
    const uint32_t r = repeatCost(len);
    if (r < best) best = r;
  }
  if (offset <= kShortMaxOffset && len <= kShortMaxLength && kShortCode < best) best = kShortCode;
  return best;
}

}  // namespace jc
}  // namespace qv
