// Integers in the byte order of packages and JC blocks: 32-bit little-endian.
#pragma once

#include <cstdint>
#include <vector>

namespace qv {

// Byte by byte, so it reads any position whatever the machine's order and alignment;
// compilers turn it into one load where the machine allows.
inline uint32_t loadLittleEndian32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void appendLittleEndian32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v >> 16));
  out.push_back(uint8_t(v >> 24));
}

}  // namespace qv
