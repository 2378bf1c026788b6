// Passes over a parse before its codes are written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "codec/jc_tokens.h"

namespace qv {
namespace jc {

// Copies the codes cannot carry (too short for their offset, or a 1-byte copy from
// too far) become literals.
Tokens normalizeTokens(const Tokens& tokens);

// Groups of tokens that cover 256 bytes exactly and cost more than a raw chunk
// become raw chunks (the optimal parse chooses them itself).
Tokens applyRawRuns(const uint8_t* data, const Tokens& tokens);

// Offset widths per stretch of tokens: near copies want a narrow field, far ones a
// wide one, and files mix both. Returns (token index, width) where an offset-width
// code goes.
std::vector<std::pair<size_t, unsigned>> planOffsetWidths(const Tokens& tokens);

}  // namespace jc
}  // namespace qv
