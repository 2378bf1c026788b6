// Code layout of the JC bit stream, shared by the block encoder and decoder.
#pragma once

#include <cstdint>

namespace qv {
namespace jc {

constexpr uint32_t kMagic0 = 0x4A;  // 'J'
constexpr uint32_t kMagic1 = 0x43;  // 'C'

constexpr uint32_t kStartOffsetWidth = 8;
constexpr uint32_t kStartLastOffset = 1;
constexpr uint32_t kMaxUsableOffsetWidth = 31;

// Short match: prefix 000, 7-bit offset, 2-bit length - 2.
constexpr uint32_t kShortMaxOffset = 127;
constexpr uint32_t kShortMinLength = 2;
constexpr uint32_t kShortMaxLength = 5;
// Nibble code: prefix 001, 4-bit value; copies one byte from offsets 1 to 14.
constexpr uint32_t kNibbleMaxOffset = 14;
// Raw run: chunks of plain bytes.
constexpr uint32_t kRawChunk = 256;

// Added to a long match's coded length when its offset is explicit. The bounds
// 639 and 14335 are odd on purpose: they are what blocks have always used.
inline uint32_t lengthAdjustment(uint64_t offset) {
  if (offset < 128) return 4;
  if (offset < 639) return 0;
  if (offset < 14335) return 1;
  if (offset < 65536) return 2;
  return 3;
}

}  // namespace jc
}  // namespace qv
