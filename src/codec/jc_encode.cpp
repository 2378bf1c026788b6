// packBlock: the builder's compressor. Levels trade speed for size: greedy and lazy
// parses at the fast end, optimal parses with deeper match searches above them, and
// at the best levels a second parse priced with the offset widths the first chose.
#include "codec/jc_encode.h"
#include "codec/jc_codes.h"
#include "codec/jc_emit.h"
#include "codec/jc_parse.h"

namespace qv {
namespace {

struct LevelSettings {
  bool optimal;
  bool lazy;
  unsigned depth;
  unsigned niceLength;
  bool secondPass;
};

constexpr LevelSettings kLevels[] = {
    {false, false, 2, 16, false},    // 1
    {false, false, 4, 24, false},    // 2
    {false, true, 8, 32, false},     // 3
    {false, true, 16, 48, false},    // 4
    {true, false, 8, 32, false},     // 5
    {true, false, 16, 64, false},    // 6
    {true, false, 32, 128, false},   // 7
    {true, false, 64, 256, true},    // 8
    {true, false, 256, 1024, true},  // 9
};

}  // namespace

std::vector<uint8_t> packBlock(const uint8_t* data, size_t n, int level) {
  if (level < kPackLevelFastest) level = kPackLevelFastest;
  if (level > kPackLevelBest) level = kPackLevelBest;
  const LevelSettings& l = kLevels[level - 1];
  if (!data) n = 0;
  if (n >= kMaxBlockInput) return {};  // positions are 32-bit, and packages stay below 2 GiB

  // Parses are priced with the start width: per-stretch widths are chosen when the
  // block is written, and pricing near copies as if they were far ones costs more.
  jc::ParseSettings s{l.depth, l.niceLength, l.lazy, jc::kStartOffsetWidth};
  const jc::LiteralPrices prices(data, n);
  jc::Tokens tokens = l.optimal ? jc::parseOptimal(data, n, s, prices) : jc::parseGreedy(data, n, s, prices);
  if (l.secondPass) {
    const std::vector<uint8_t> widths = jc::planOffsetWidthsByPosition(tokens, n);
    s.widthByChunk = widths.data();
    s.widthChunkBits = jc::kWidthChunkBits;
    tokens = jc::parseOptimal(data, n, s, prices);
  }
  return jc::emitBlock(data, n, tokens, !l.optimal);
}

}  // namespace qv
