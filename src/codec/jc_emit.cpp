#include "codec/jc_emit.h"

#include "codec/jc_bit_writer.h"
#include "codec/jc_block.h"
#include "codec/jc_cost.h"
#include "codec/jc_literal_modes.h"
#include "codec/jc_token_passes.h"

namespace qv {
namespace jc {
namespace {

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
