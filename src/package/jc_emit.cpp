#include "package/jc_emit.h"

#include <algorithm>
#include <utility>

#include "package/jc_bit_writer.h"
#include "package/jc_block.h"
#include "package/jc_cost.h"
#include "package/jc_literal_modes.h"

namespace qv {
namespace jc {
namespace {

// Copies the codes cannot carry (too short for their offset, or a 1-byte copy from
// too far) become literals.
Tokens normalizeTokens(const Tokens& tokens) {
  Tokens out;
  out.reserve(tokens.size());
  uint64_t last = kStartLastOffset;
  for (const Token& t : tokens) {
    if (isCopy(t) && matchCost(t.length, t.offset, last, 0) == kNoCode) {
      for (uint32_t i = 0; i < t.length; ++i) out.push_back(Token{1, 0});
      continue;
    }
    out.push_back(t);
    if (isCopy(t) && t.length >= 2) last = t.offset;
  }
  return out;
}

// Offset widths per stretch of tokens: near copies want a narrow field, far ones a
// wide one, and files mix both. A shortest path over fixed stretches, where a change
// costs an offset-width code. Returns (token index, width) where a code goes.
std::vector<std::pair<size_t, unsigned>> planOffsetWidths(const Tokens& tokens) {
  constexpr size_t kStretch = 4096;
  constexpr unsigned kWidths = kMaxUsableOffsetWidth + 1;
  constexpr uint64_t kChange = 18;
  const size_t stretches = tokens.size() / kStretch + 1;
  std::vector<uint8_t> from(stretches * kWidths);
  uint64_t best[kWidths];
  for (unsigned w = 0; w < kWidths; ++w) best[w] = w == kStartOffsetWidth ? 0 : kChange;
  uint64_t last = kStartLastOffset;
  for (size_t s = 0; s < stretches; ++s) {
    uint64_t cost[kWidths] = {};
    const size_t end = std::min(tokens.size(), (s + 1) * kStretch);
    for (size_t i = s * kStretch; i < end; ++i) {
      const Token& t = tokens[i];
      if (!isCopy(t) || t.length < 2) continue;
      if (t.offset != last && !(t.offset <= kShortMaxOffset && t.length <= kShortMaxLength))
        for (unsigned w = 0; w < kWidths; ++w) cost[w] += gammaCost((uint64_t(t.offset) >> w) + 3) + w;
      last = t.offset;
    }
    unsigned cheapest = 0;
    for (unsigned w = 1; w < kWidths; ++w)
      if (best[w] < best[cheapest]) cheapest = w;
    uint64_t next[kWidths];
    for (unsigned w = 0; w < kWidths; ++w) {
      const bool change = s > 0 && best[cheapest] + kChange < best[w];
      next[w] = (change ? best[cheapest] + kChange : best[w]) + cost[w];
      from[s * kWidths + w] = uint8_t(change ? cheapest : w);
    }
    std::copy(next, next + kWidths, best);
  }
  unsigned w = 0;
  for (unsigned v = 1; v < kWidths; ++v)
    if (best[v] < best[w]) w = v;
  std::vector<unsigned> widths(stretches);
  for (size_t s = stretches; s-- > 0;) {
    widths[s] = w;
    w = from[s * kWidths + w];
  }
  std::vector<std::pair<size_t, unsigned>> changes;
  unsigned current = kStartOffsetWidth;
  for (size_t s = 0; s < stretches; ++s) {
    if (widths[s] != current) changes.emplace_back(s * kStretch, widths[s]);
    current = widths[s];
  }
  return changes;
}

// Groups of tokens that cover 256 bytes exactly and cost more than a raw chunk
// become raw chunks (the optimal parse chooses them itself).
constexpr size_t kRetryDistance = 32;

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
    nextTry = pos + kRetryDistance;  // chunks starting close by cost about the same
    const Token& t = tokens[i++];
    inRun = t.offset == kRawToken;
    out.push_back(t);
    if (isCopy(t) && t.length >= 2) last = t.offset;
    pos += t.length;
  }
  return out;
}

class CodeWriter {
 public:
  CodeWriter(std::vector<uint8_t>& out) : w_(out) {}
  void literalWidth(LiteralMode m) {
    w_.putBits(0b0010000, 7);
    w_.putBit(0);
    w_.putBit(m.width == 8);
    if (m.width == 7) w_.putBits(m.base, 8);
    mode_ = m;
  }
  void offsetWidth(unsigned width) {
    const unsigned l = width < 16 ? 1 : 2;
    w_.putBits(0, 12 - 2);
    w_.putBits(l, 2);
    w_.putBits(width, l + 3);
    offsetWidth_ = width;
  }
  void literal(uint8_t b) {
    w_.putBit(1);
    w_.putBits(uint8_t(b - mode_.base), mode_.width);
  }
  void zero() { w_.putBits(0b0010001, 7); }
  void rawRun(const uint8_t* p, size_t chunks) {
    w_.putBits(0b0010000, 7);
    w_.putBit(1);
    for (size_t c = 0; c < chunks; ++c) {
      for (size_t k = 0; k < kRawChunk; k += 4, p += 4)
        w_.putBits(uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3], 32);
      w_.putBit(c + 1 < chunks);
    }
  }
  // A copy the codes can carry (see normalizeTokens).
  void copy(uint32_t len, uint32_t offset) {
    if (len == 1) {
      w_.putBits(0b001, 3);
      w_.putBits(offset + 1, 4);
      return;
    }
    const uint32_t longCost = longMatchCost(len, offset, offsetWidth_);
    const uint32_t repCost = offset == last_ ? repeatCost(len) : kNoCode;
    const bool shortFits = offset <= kShortMaxOffset && len <= kShortMaxLength;
    if (shortFits && kShortCode <= repCost && kShortCode <= longCost) {
      w_.putBits(0, 3);
      w_.putBits(offset, 7);
      w_.putBits(len - kShortMinLength, 2);
    } else if (repCost <= longCost) {
      w_.putBits(0b01, 2);
      w_.putGamma(2);
      w_.putGamma(len);
    } else {
      w_.putBits(0b01, 2);
      w_.putGamma(uint32_t((uint64_t(offset) >> offsetWidth_) + 3));
      w_.putBits(offset & ((uint64_t(1) << offsetWidth_) - 1), offsetWidth_);
      w_.putGamma(len - lengthAdjustment(offset));
    }
    last_ = offset;
  }
  void end() {
    w_.putBits(0, 12);
    w_.finish();
  }

 private:
  BitWriter w_;
  LiteralMode mode_{8, 0};
  unsigned offsetWidth_ = kStartOffsetWidth;
  uint64_t last_ = kStartLastOffset;
};

void putHeader(std::vector<uint8_t>& out, const uint8_t* data, size_t n) {
  const uint32_t size = uint32_t(n), sum = blockChecksum(data, n);
  out.push_back(uint8_t(kMagic0));
  out.push_back(uint8_t(kMagic1));
  for (uint32_t v : {size, sum})
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> planOffsetWidthsByPosition(const Tokens& parsed, size_t n) {
  const Tokens tokens = normalizeTokens(parsed);
  const std::vector<std::pair<size_t, unsigned>> changes = planOffsetWidths(tokens);
  std::vector<uint8_t> widths((n >> kWidthChunkBits) + 1, uint8_t(kStartOffsetWidth));
  unsigned current = kStartOffsetWidth;
  size_t pos = 0, change = 0;
  for (size_t i = 0; i <= tokens.size(); ++i) {
    for (; change < changes.size() && changes[change].first <= i; ++change) current = changes[change].second;
    // Chunks that start within this token take its width.
    const size_t end = i < tokens.size() ? pos + tokens[i].length : n + 1;
    for (size_t c = (pos + (size_t(1) << kWidthChunkBits) - 1) >> kWidthChunkBits;
         c < widths.size() && (c << kWidthChunkBits) < end; ++c)
      widths[c] = uint8_t(current);
    if (i < tokens.size()) pos = end;
  }
  return widths;
}

std::vector<uint8_t> emitBlock(const uint8_t* data, size_t n, const Tokens& parsed, bool findRawRuns) {
  const Tokens tokens = normalizeTokens(findRawRuns ? applyRawRuns(data, parsed) : parsed);
  const std::vector<std::pair<size_t, unsigned>> widths = planOffsetWidths(tokens);

  // The literal codes, in order: literal tokens of nonzero bytes.
  std::vector<uint8_t> literals;
  {
    size_t pos = 0;
    for (const Token& t : tokens) {
      if (!t.offset && data[pos]) literals.push_back(data[pos]);
      pos += t.length;
    }
  }
  const LiteralPlan plan = planLiteralModes(literals);

  std::vector<uint8_t> out;
  out.reserve(n / 2 + 64);
  putHeader(out, data, n);
  CodeWriter w(out);
  w.literalWidth(literals.empty() ? LiteralMode{8, 0} : plan.modes[0]);
  size_t pos = 0, lit = 0, change = 0;
  for (size_t i = 0; i < tokens.size();) {
    for (; change < widths.size() && widths[change].first <= i; ++change) w.offsetWidth(widths[change].second);
    const Token& t = tokens[i];
    if (t.offset == kRawToken) {
      size_t bytes = 0;
      for (; i < tokens.size() && tokens[i].offset == kRawToken; ++i) bytes += tokens[i].length;
      w.rawRun(data + pos, bytes / kRawChunk);
      pos += bytes;
      continue;
    }
    ++i;
    if (t.offset) {
      w.copy(t.length, t.offset);
    } else if (!data[pos]) {
      w.zero();
    } else {
      if (lit > 0 && plan.change[lit]) w.literalWidth(plan.modes[lit]);
      w.literal(data[pos]);
      ++lit;
    }
    pos += t.length;
  }
  w.end();
  return out;
}

}  // namespace jc
}  // namespace qv
