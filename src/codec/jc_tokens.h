// The encoder's parse of its input: literals and copies, before codes are chosen.
#pragma once

#include <cstdint>
#include <vector>

namespace qv {
namespace jc {

// A raw run of length / 256 chunks.
constexpr uint32_t kRawToken = 0xFFFFFFFFu;

struct Token {
  uint32_t length;  // bytes covered
  uint32_t offset;  // 0 for a literal (length 1), kRawToken, else a copy from offset bytes back
};

inline bool isCopy(const Token& t) { return t.offset != 0 && t.offset != kRawToken; }

using Tokens = std::vector<Token>;

}  // namespace jc
}  // namespace qv
