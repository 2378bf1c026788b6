// Decoding of JC blocks.
//
// The bit stream is read through a 64-bit buffer that holds the next bits at its top
// and is refilled one 32-bit word at a time. Decoding runs in two loops over the same
// code: a fast one while at least kFastMargin bytes of words remain, where refills
// need no end check because no code can consume that much, and a careful one near the
// end of the block, where every read checks what is left. Output bounds are checked
// on every write in both: a damaged block fails (result 0) and never reads past the
// block, writes past the unpacked size or copies from before the start of the output.
#include <cstring>

#include "codec/jc_block.h"
#include "codec/jc_codes.h"
#include "runtime/bytes.h"

namespace qv {
namespace {

constexpr ptrdiff_t kFastMargin = 64;

enum class Step { Go, End, Damaged };

struct Decoder {
  const uint8_t* in;     // next word of the bit stream
  const uint8_t* inEnd;  // end of the last whole word
  uint64_t bits;         // next bits, most significant first
  unsigned count;        // valid bits in `bits`
  uint8_t* out;
  uint8_t* op;
  uint8_t* outEnd;  // the unpacked size: nothing is written past it
  unsigned literalWidth;  // 0 until the first literal-width code
  uint32_t literalBase;
  uint32_t offsetWidth;
  uint64_t lastOffset;
};

// One step of a gamma code per table entry: up to four (data, continue) bit pairs.
struct GammaStep {
  uint8_t pairs;  // pairs consumed
  uint8_t data;   // their data bits
  uint8_t done;   // a continue bit of 0 was among them
};

struct GammaTable {
  GammaStep steps[256];
  constexpr GammaTable() : steps() {
    for (unsigned b = 0; b < 256; ++b) {
      uint8_t pairs = 0, data = 0, done = 0;
      while (pairs < 4 && !done) {
        unsigned d = (b >> (7 - 2 * pairs)) & 1, c = (b >> (6 - 2 * pairs)) & 1;
        data = uint8_t(data << 1 | d);
        ++pairs;
        done = c == 0;
      }
      steps[b] = GammaStep{pairs, data, done};
    }
  }
};
constexpr GammaTable kGamma;

template <bool kChecked>
inline void refill(Decoder& d) {
  if (d.count <= 32) {
    if (kChecked && d.inEnd - d.in < 4) return;
    d.bits |= uint64_t(loadLittleEndian32(d.in)) << (32 - d.count);
    d.in += 4;
    d.count += 32;
  }
}

// n <= 32 bits. Unchecked reads rely on the caller's refills.
template <bool kChecked>
inline bool take(Decoder& d, unsigned n, uint32_t& v) {
  if (kChecked && d.count < n) {
    refill<true>(d);
    if (d.count < n) return false;
  }
  v = n ? uint32_t(d.bits >> (64 - n)) : 0;
  d.bits = n ? d.bits << n : d.bits;
  d.count -= n;
  return true;
}

// Gamma values above 32 bits mean a damaged block.
template <bool kChecked>
inline bool readGamma(Decoder& d, uint64_t& value) {
  uint64_t v = 1;
  if (!kChecked) {
    for (;;) {
      refill<false>(d);
      const GammaStep s = kGamma.steps[d.bits >> 56];
      v = v << s.pairs | s.data;
      d.bits <<= 2 * s.pairs;
      d.count -= 2 * s.pairs;
      if (v >> 32) return false;
      if (s.done) break;
    }
  } else {
    uint32_t bit, more;
    do {
      if (!take<true>(d, 1, bit)) return false;
      v = v << 1 | bit;
      if (v >> 32) return false;
      if (!take<true>(d, 1, more)) return false;
    } while (more);
  }
  value = v;
  return true;
}

// Smallest multiple of each offset below 8 that is at least 8: a run of period p
// also has that period, which lets it be copied in 8-byte chunks.
constexpr uint8_t kWidePeriod[8] = {0, 8, 8, 9, 8, 10, 12, 14};

inline void copy8(uint8_t* dst, const uint8_t* src) {
  uint64_t v;
  std::memcpy(&v, src, 8);
  std::memcpy(dst, &v, 8);
}

// Copies len bytes from offset bytes back, with the result of a byte-by-byte forward
// copy. The caller has checked offset and len against the output.
inline uint8_t* copyMatch(uint8_t* op, uint64_t offset, size_t len, uint8_t* outEnd) {
  const uint8_t* src = op - offset;
  uint8_t* stop = op + len;
  const bool room = outEnd - stop >= 8;  // chunk copies may run up to 7 bytes over
  if (offset >= 8 && room) {
    do {
      copy8(op, src);
      op += 8;
      src += 8;
    } while (op < stop);
    return stop;
  }
  if (offset == 1) {
    std::memset(op, *src, len);
    return stop;
  }
  if (room) {
    const size_t period = kWidePeriod[offset];
    const size_t head = period - offset;
    if (head < len) {
      for (size_t i = 0; i < head; ++i) op[i] = src[i];
      op += head;
      src = op - period;
      do {
        copy8(op, src);
        op += 8;
        src += 8;
      } while (op < stop);
      return stop;
    }
  }
  while (op < stop) *op++ = *src++;
  return stop;
}

inline Step copyChecked(Decoder& d, uint64_t offset, uint64_t len) {
  if (offset == 0 || offset > uint64_t(d.op - d.out) || len > uint64_t(d.outEnd - d.op)) return Step::Damaged;
  d.op = copyMatch(d.op, offset, size_t(len), d.outEnd);
  return Step::Go;
}

// Raw run: chunks of 256 plain bytes, each followed by a bit that says whether
// another chunk follows. Availability is checked once per chunk.
inline Step readRawRun(Decoder& d) {
  for (;;) {
    if (d.outEnd - d.op < ptrdiff_t(jc::kRawChunk)) return Step::Damaged;
    if (uint64_t(d.count) + 8 * uint64_t(d.inEnd - d.in) < 8 * jc::kRawChunk + 1) return Step::Damaged;
    for (unsigned i = 0; i < jc::kRawChunk / 4; ++i) {
      refill<true>(d);
      uint32_t v;
      take<false>(d, 32, v);
      d.op[0] = uint8_t(v >> 24);
      d.op[1] = uint8_t(v >> 16);
      d.op[2] = uint8_t(v >> 8);
      d.op[3] = uint8_t(v);
      d.op += 4;
    }
    refill<true>(d);
    uint32_t more;
    take<false>(d, 1, more);
    if (!more) return Step::Go;
  }
}

// Decodes one code. Unchecked steps need kFastMargin bytes of words left at entry.
template <bool kChecked>
inline Step decodeCode(Decoder& d) {
  refill<kChecked>(d);
  uint32_t bit;
  if (!take<kChecked>(d, 1, bit)) return Step::Damaged;
  if (bit) {  // literal
    uint32_t v;
    if (d.literalWidth == 0 || !take<kChecked>(d, d.literalWidth, v) || d.op == d.outEnd) return Step::Damaged;
    *d.op++ = uint8_t(v + d.literalBase);
    return Step::Go;
  }
  if (!take<kChecked>(d, 1, bit)) return Step::Damaged;
  if (bit) {  // long match
    uint64_t g, len;
    if (!readGamma<kChecked>(d, g)) return Step::Damaged;
    if (g == 2) {
      if (!readGamma<kChecked>(d, len)) return Step::Damaged;
      return copyChecked(d, d.lastOffset, len);
    }
    if (d.offsetWidth > jc::kMaxUsableOffsetWidth) return Step::Damaged;
    refill<kChecked>(d);
    uint32_t low;
    if (!take<kChecked>(d, d.offsetWidth, low)) return Step::Damaged;
    const uint64_t offset = (g - 3) << d.offsetWidth | low;
    if (offset == 0) return Step::Damaged;
    d.lastOffset = offset;
    if (!readGamma<kChecked>(d, len)) return Step::Damaged;
    return copyChecked(d, offset, len + jc::lengthAdjustment(offset));
  }
  if (!take<kChecked>(d, 1, bit)) return Step::Damaged;
  if (!bit) {  // short match or control
    uint32_t o, l;
    if (!take<kChecked>(d, 7, o) || !take<kChecked>(d, 2, l)) return Step::Damaged;
    if (o != 0) {
      d.lastOffset = o;
      return copyChecked(d, o, l + jc::kShortMinLength);
    }
    if (l == 0) return Step::End;
    uint32_t width;
    if (!take<kChecked>(d, l + 3, width)) return Step::Damaged;
    d.offsetWidth = width;
    return Step::Go;
  }
  uint32_t v;  // nibble code
  if (!take<kChecked>(d, 4, v)) return Step::Damaged;
  if (v >= 2) return copyChecked(d, v - 1, 1);
  if (v == 1) {
    if (d.op == d.outEnd) return Step::Damaged;
    *d.op++ = 0;
    return Step::Go;
  }
  if (!take<kChecked>(d, 1, bit)) return Step::Damaged;
  if (bit) return readRawRun(d);
  uint32_t w;
  if (!take<kChecked>(d, 1, w)) return Step::Damaged;
  d.literalWidth = 7 + w;
  d.literalBase = 0;
  if (w == 0 && !take<kChecked>(d, 8, d.literalBase)) return Step::Damaged;
  return Step::Go;
}

bool decodeStream(Decoder& d) {
  for (;;) {
    Step s = Step::Go;
    while (d.inEnd - d.in >= kFastMargin) {
      s = decodeCode<false>(d);
      if (s != Step::Go) break;
    }
    if (s == Step::Go) s = decodeCode<true>(d);
    if (s == Step::End) return true;
    if (s == Step::Damaged) return false;
  }
}

}  // namespace

bool readBlockUnpackedSize(const uint8_t* block, size_t blockSize, uint32_t& unpackedSize) {
  if (!block || blockSize < kBlockHeaderSize || block[0] != jc::kMagic0 || block[1] != jc::kMagic1) return false;
  unpackedSize = loadLittleEndian32(block + 2);
  return true;
}

size_t unpackBlock(const uint8_t* block, size_t blockSize, uint8_t* out, size_t outCapacity) {
  uint32_t unpacked;
  if (!out || !readBlockUnpackedSize(block, blockSize, unpacked) || outCapacity < unpacked) return 0;
  const uint32_t checksum = loadLittleEndian32(block + 6);

  Decoder d;
  d.in = block + kBlockHeaderSize;
  d.inEnd = d.in + ((blockSize - kBlockHeaderSize) & ~size_t(3));
  d.bits = 0;
  d.count = 0;
  d.out = out;
  d.op = out;
  d.outEnd = out + unpacked;
  d.literalWidth = 0;
  d.literalBase = 0;
  d.offsetWidth = jc::kStartOffsetWidth;
  d.lastOffset = jc::kStartLastOffset;

  const bool ended = decodeStream(d);
  const size_t written = size_t(d.op - out);
  // Bytes the block did not write count as zero, so the result never depends on what
  // the buffer held before.
  std::memset(d.op, 0, unpacked - written);
  if (!ended) return 0;
  if (checksum != 0 && blockChecksum(out, unpacked) != checksum) return 0;
  return written;
}

}  // namespace qv
