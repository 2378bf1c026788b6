// Turns a parse into a JC block: picks the offset width, the literal widths and
// bases, raw runs for stretches that do not compress, and the cheapest code for
// every copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/jc_tokens.h"

namespace qv {
namespace jc {

// Tokens must cover the n bytes exactly; copies the codes cannot carry are written
// as literals. findRawRuns: turn stretches that cost more than raw bytes into raw
// runs (for parses that do not choose raw runs themselves).
std::vector<uint8_t> emitBlock(const uint8_t* data, size_t n, const Tokens& tokens, bool findRawRuns);

// The offset widths emitBlock would use for a parse, per chunk of 2^kWidthChunkBits
// input positions: for pricing a second parse.
constexpr unsigned kWidthChunkBits = 12;
std::vector<uint8_t> planOffsetWidthsByPosition(const Tokens& tokens, size_t n);

}  // namespace jc
}  // namespace qv
