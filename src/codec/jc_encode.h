// Encoding JC blocks: the builder's side of the codec, linked only into the package
// builder, the tests and the benchmarks; the stub only decodes (jc_block.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/jc_block.h"

namespace qv {

// Compression levels of the builder, from fast to best.
constexpr int kPackLevelFastest = 1;
constexpr int kPackLevelDefault = 6;
constexpr int kPackLevelBest = 9;

// Encodes n bytes as one block (header included). The result always decodes to the
// input; whether it is worth storing is the caller's decision (stored raw when not
// smaller than the input). Inputs of kMaxBlockInput bytes or more, which no package
// can hold, give an empty result.
constexpr size_t kMaxBlockInput = size_t(1) << 31;
std::vector<uint8_t> packBlock(const uint8_t* data, size_t n, int level = kPackLevelDefault);

}  // namespace qv
