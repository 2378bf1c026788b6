#include "codec/jc_cost.h"
#include "codec/jc_token_passes.h"

namespace qv {
namespace jc {

namespace {

// Chunks starting close to one that did not pay cost about the same.
constexpr size_t kRetryDistance = 32;

}  // namespace

Tokens applyRawRuns(const uint8_t* data, const Tokens& tokens) {
  Tokens out;
  out.reserve(tokens.size());
  uint64_t last = kStartLastOffset;
  size_t pos = 0, i = 0, nextTry = 0;
  bool inRun = false;
  while (i < tokens.size()) {
    if (pos < nextTry && !inRun) {
      const Token& t = tokens[i++];
      inRun = t.offset == kRawToken;
      out.push_back(t);
      if (isCopy(t) && t.length >= 2) last = t.offset;
      pos += t.length;
      continue;
    }
    size_t j = i, covered = 0;
    uint64_t bits = 0, last2 = last;
    unsigned lo = 255, hi = 0, literals = 0;
    while (j < tokens.size() && covered < kRawChunk && tokens[j].offset != kRawToken) {
      const Token& t = tokens[j++];
      if (!t.offset) {
        const unsigned b = data[pos + covered];
        if (b) {
          bits += kLiteralCode8;
          ++literals;
          lo = b < lo ? b : lo;
          hi = b > hi ? b : hi;
        } else {
          bits += kNibbleCode;
        }
      } else {
        const uint32_t c = matchCost(t.length, t.offset, last2, kStartOffsetWidth);
        bits += c == kNoCode ? 9 * t.length : c;
        if (t.length >= 2) last2 = t.offset;
      }
      covered += t.length;
    }
    if (literals && hi - lo < 128) bits -= literals * (kLiteralCode8 - kLiteralCode7);
    if (covered == kRawChunk && bits > kRawChunkCode + (inRun ? 0 : 8)) {
      out.push_back(Token{kRawChunk, kRawToken});
      inRun = true;
      pos += kRawChunk;
      i = j;
      continue;
    }
    nextTry = pos + kRetryDistance;
    const Token& t = tokens[i++];
    inRun = t.offset == kRawToken;
    out.push_back(t);
    if (isCopy(t) && t.length >= 2) last = t.offset;
    pos += t.length;
  }
  return out;
}

}  // namespace jc
}  // namespace qv
