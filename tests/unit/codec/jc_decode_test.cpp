// Decoding of JC blocks: every code, the bounds of damaged blocks, and the checksum.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "codec/jc_bit_writer.h"
#include "codec/jc_codes.h"
#include "codec/jc_encode.h"
#include "support/test_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Writes code by code; block() adds the header.
class Stream {
 public:
  Stream() : w_(bits_) {}
  Stream& width(unsigned literalWidth, uint32_t base = 0) {
    w_.putBits(0b0010000, 7);
    w_.putBit(0);
    w_.putBit(literalWidth == 8);
    if (literalWidth == 7) w_.putBits(base, 8);
    return *this;
  }
  Stream& lit(uint32_t v, unsigned literalWidth = 8) {
    w_.putBit(1);
    w_.putBits(v, literalWidth);
    return *this;
  }
  Stream& text(const char* s) {
    while (*s) lit(uint8_t(*s++));
    return *this;
  }
  Stream& shortMatch(uint32_t offset, uint32_t len) {
    w_.putBits(0, 3);
    w_.putBits(offset, 7);
    w_.putBits(len - 2, 2);
    return *this;
  }
  Stream& nibble(uint32_t v) {
    w_.putBits(0b001, 3);
    w_.putBits(v, 4);
    return *this;
  }
  // Long match with an explicit offset; `codedLength` is the gamma value.
  Stream& longMatch(uint64_t offset, uint32_t codedLength, unsigned offsetWidth = 8) {
    w_.putBits(0b01, 2);
    w_.putGamma(uint32_t((offset >> offsetWidth) + 3));
    w_.putBits(uint32_t(offset & ((uint64_t(1) << offsetWidth) - 1)), offsetWidth);
    w_.putGamma(codedLength);
    return *this;
  }
  Stream& repeat(uint32_t len) {
    w_.putBits(0b01, 2);
    w_.putGamma(2);
    w_.putGamma(len);
    return *this;
  }
  Stream& offsetWidth(uint32_t l, uint32_t value) {
    w_.putBits(0, 3);
    w_.putBits(0, 7);
    w_.putBits(l, 2);
    w_.putBits(value, l + 3);
    return *this;
  }
  Stream& raw(const Bytes& bytes) {  // a multiple of 256 bytes
    w_.putBits(0b001, 3);
    w_.putBits(0, 4);
    w_.putBit(1);
    for (size_t i = 0; i < bytes.size(); ++i) {
      w_.putBits(bytes[i], 8);
      if (i % 256 == 255) w_.putBit(i + 1 < bytes.size());
    }
    return *this;
  }
  Stream& bits(uint32_t v, unsigned n) {
    w_.putBits(v, n);
    return *this;
  }
  Stream& end() {
    w_.putBits(0, 12);
    return *this;
  }
  Bytes block(uint32_t unpackedSize, uint32_t checksum = 0) {
    w_.finish();
    Bytes b = {0x4A, 0x43};
    for (uint32_t v : {unpackedSize, checksum})
      for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
    b.insert(b.end(), bits_.begin(), bits_.end());
    return b;
  }

 private:
  Bytes bits_;
  qv::jc::BitWriter w_;
};

// Decodes into a buffer of the unpacked size + 8, as callers allocate.
struct Decoded {
  size_t result;
  Bytes out;  // the unpacked size
};
Decoded decode(const Bytes& block, uint8_t fill = 0xEE) {
  uint32_t size = 0;
  if (!qv::readBlockUnpackedSize(block.data(), block.size(), size)) size = 16;
  Bytes buf(size_t(size) + 8, fill);
  size_t r = qv::unpackBlock(block.data(), block.size(), buf.data(), buf.size());
  buf.resize(size);
  return {r, buf};
}

std::string str(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(JcDecode, ExampleBlock) {
  const Bytes block = {0x4A, 0x43, 0x0A, 0x00, 0x00, 0x00, 0xE1, 0xEB, 0xC6, 0xC2, 0x56,
                       0x6C, 0xD8, 0x20, 0x48, 0x22, 0x0F, 0x30, 0x00, 0x00, 0x00, 0x00};
  Decoded d = decode(block);
  EXPECT_EQ(d.result, 10u);
  EXPECT_EQ(d.out, (Bytes{0x61, 0x62, 0x63, 0x61, 0x62, 0x63, 0x61, 0x62, 0x00, 0x00}));
  EXPECT_EQ(qv::blockChecksum(d.out.data(), d.out.size()), 0xC2C6EBE1u);

  // The same codes from the test writer give the same bytes.
  Bytes again = Stream().width(8).text("abc").shortMatch(3, 5).nibble(1).nibble(2).end().block(10, 0xC2C6EBE1);
  EXPECT_EQ(again, block);

  // No length: too short for a header, wrong magic (output untouched), no buffer.
  uint32_t size = 1;
  EXPECT_FALSE(qv::readBlockUnpackedSize(block.data(), 9, size));
  EXPECT_TRUE(qv::readBlockUnpackedSize(block.data(), 10, size));
  EXPECT_EQ(size, 10u);
  Bytes bad = block;
  bad[1] = 'D';
  Bytes out(18, 0x55);
  EXPECT_EQ(qv::unpackBlock(bad.data(), bad.size(), out.data(), out.size()), 0u);
  EXPECT_EQ(out, Bytes(18, 0x55));
  EXPECT_EQ(qv::unpackBlock(nullptr, 22, out.data(), out.size()), 0u);
  EXPECT_EQ(qv::unpackBlock(block.data(), block.size(), nullptr, 18), 0u);
  // A buffer smaller than the unpacked size is refused.
  EXPECT_EQ(qv::unpackBlock(block.data(), block.size(), out.data(), 9), 0u);
  EXPECT_EQ(qv::unpackBlock(block.data(), block.size(), out.data(), 10), 10u);

  // A checksum mismatch fails but leaves the decoded bytes.
  bad = block;
  bad[6] ^= 1;
  d = decode(bad);
  EXPECT_EQ(d.result, 0u);
  EXPECT_EQ(str(d.out).substr(0, 8), "abcabcab");
}

TEST(JcDecode, Checksum) {
  const uint8_t bytes[] = "abcdefgh";
  EXPECT_EQ(qv::blockChecksum(bytes, 4), 0xACA5A6A2u);
  EXPECT_EQ(qv::blockChecksum(bytes, 5), 0xD8C2CCC1u);  // last word 62 63 64 65
  EXPECT_EQ(qv::blockChecksum(bytes, 8), 0xC5C3C1CCu);
  for (size_t n = 0; n < 4; ++n) EXPECT_EQ(qv::blockChecksum(bytes, n), 0u);
  // The rotation carries the top bit round and the sum wraps.
  const uint8_t high[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80};
  // c = FFFFFFFF ^ (FFFFFFFF + 1 = 0) = FFFFFFFF; c = FFFFFFFF + 80000000 = 7FFFFFFF; ^ (1 + 1)
  EXPECT_EQ(qv::blockChecksum(high, 8), 0x7FFFFFFDu);
}

TEST(JcDecode, LiteralWidthAndBase) {
  // Width 7, base 0xF0: 0x05 -> 0xF5, 0x20 -> 0x10 (wraps), 0x7F -> 0x6F.
  Decoded d = decode(Stream().width(7, 0xF0).lit(0x05, 7).lit(0x20, 7).lit(0x7F, 7).end().block(3));
  EXPECT_EQ(d.result, 3u);
  EXPECT_EQ(d.out, (Bytes{0xF5, 0x10, 0x6F}));
  // A later width code resets the base to 0; an 8-bit literal takes the full byte.
  d = decode(Stream().width(7, 0x41).lit(1, 7).width(8).lit(0xC8).width(7).lit(0x41, 7).end().block(3));
  EXPECT_EQ(d.result, 3u);
  EXPECT_EQ(d.out, (Bytes{0x42, 0xC8, 0x41}));
  // A literal before any width code is damage; so is a block without codes past the header.
  EXPECT_EQ(decode(Stream().lit('a').end().block(1)).result, 0u);
  EXPECT_EQ(decode(Stream().block(1)).result, 0u);
}

TEST(JcDecode, LastOffsetRules) {
  // A short match sets the last offset; a nibble copy leaves it; g = 2 reuses it
  // with no length adjustment.
  Decoded d = decode(Stream().width(8).text("abcd").shortMatch(4, 2).nibble(2).repeat(3).end().block(10));
  EXPECT_EQ(d.result, 10u);
  EXPECT_EQ(str(d.out), "abcdabbdab");  // the repeat copies from 4 back
  // A long match with an explicit offset sets it too.
  d = decode(Stream().width(8).text("0123456789").longMatch(7, 2).repeat(2).end().block(18));
  EXPECT_EQ(d.result, 18u);  // 2 + 4 adjustment, then 2
  EXPECT_EQ(str(d.out), "0123456789345678" "93");
  // A repeat at the very start uses offset 1, which reaches before the output.
  EXPECT_EQ(decode(Stream().width(8).repeat(2).end().block(2)).result, 0u);
  EXPECT_EQ(decode(Stream().width(8).lit('x').repeat(3).end().block(4)).out, (Bytes{'x', 'x', 'x', 'x'}));
}

// `offset` filler bytes, then one long match at `offset` with coded length 2; the
// result is the length it copied.
size_t decodedLengthAt(uint64_t offset) {
  const uint32_t prefix = uint32_t(offset);
  Stream s;
  s.width(8);
  if (offset < 8) {
    for (uint32_t i = 0; i < prefix; ++i) s.lit('a');
  } else {
    s.lit('a').longMatch(1, prefix - 5);  // offset 1 adds 4
  }
  s.longMatch(offset, 2);
  uint32_t expected = prefix + 2 + qv::jc::lengthAdjustment(offset);
  Decoded d = decode(s.end().block(expected));
  return d.result == expected ? d.result - prefix : 0;
}

TEST(JcDecode, LengthAdjustmentBounds) {
  const struct {
    uint64_t offset;
    size_t length;  // coded 2
  } table[] = {{1, 6},     {127, 6},     {128, 2},     {638, 2},    {639, 3},
               {14334, 3}, {14335, 4},   {65535, 4},   {65536, 5},  {200000, 5}};
  for (const auto& row : table) EXPECT_EQ(decodedLengthAt(row.offset), row.length) << row.offset;
}

TEST(JcDecode, OffsetWidthChange) {
  // Width 4: g = (offset >> 4) + 3. Offset 300 = 0x12C -> g = 21, low bits 0xC.
  Bytes data = qvtest::randomBytes(256, 5);
  Stream s;
  s.width(8);
  for (uint8_t b : data) s.lit(b);
  s.longMatch(200, 2).offsetWidth(1, 4).longMatch(250, 2, 4).end();
  Decoded d = decode(s.block(260));
  ASSERT_EQ(d.result, 260u);
  EXPECT_TRUE(std::equal(d.out.begin() + 256, d.out.begin() + 258, d.out.begin() + 56));
  EXPECT_TRUE(std::equal(d.out.begin() + 258, d.out.begin() + 260, d.out.begin() + 8));
  // Widths 0 and 31 are usable (5-bit field), 32 and more (6-bit field) only when no
  // long match with an explicit offset follows.
  d = decode(Stream().width(8).text("abcdefgh").offsetWidth(2, 0).longMatch(8, 2, 0).end().block(14));
  EXPECT_EQ(str(d.out), "abcdefghabcdef");
  d = decode(Stream().width(8).text("abcdefgh").offsetWidth(2, 31).longMatch(8, 2, 31).end().block(14));
  EXPECT_EQ(str(d.out), "abcdefghabcdef");
  d = decode(Stream().width(8).text("ab").offsetWidth(3, 40).repeat(2).text("c").end().block(5));
  EXPECT_EQ(str(d.out), "abbbc");
  EXPECT_EQ(d.result, 5u);
  Stream bad;
  bad.width(8).text("ab").offsetWidth(3, 32).bits(0b01, 2);
  bad.bits(0b10, 2).bits(0, 32).bits(0, 12);  // g = 3, then what a width 32 would read
  EXPECT_EQ(decode(bad.end().block(8)).result, 0u);
}

TEST(JcDecode, NibbleCodesAndRuns) {
  // Nibble copies reach 1 to 14 back; v = 1 is a zero byte; offset 1 repeats.
  Stream s;
  s.width(8).text("0123456789ABCD");
  for (uint32_t v = 15; v >= 2; --v) s.nibble(v);  // offset 14 down to 1
  s.nibble(1).longMatch(1, 3).end();
  Decoded d = decode(s.block(14 + 14 + 1 + 7));
  EXPECT_EQ(d.result, 36u);
  std::string expected = "0123456789ABCD";
  for (size_t offset = 14; offset >= 1; --offset) expected += expected[expected.size() - offset];
  EXPECT_EQ(str(d.out).substr(0, 28), expected);
  EXPECT_EQ(d.out[28], 0);
  EXPECT_EQ(Bytes(d.out.begin() + 29, d.out.end()), Bytes(7, 0));
}

TEST(JcDecode, RawRuns) {
  Bytes data = qvtest::randomBytes(768, 9);
  // Raw bytes ignore the literal base; runs can sit between misaligned codes.
  Stream s;
  s.width(7, 0x80).lit(1, 7);
  s.raw(Bytes(data.begin(), data.begin() + 256)).lit(2, 7).raw(Bytes(data.begin() + 256, data.end())).end();
  Decoded d = decode(s.block(770));
  ASSERT_EQ(d.result, 770u);
  EXPECT_EQ(d.out[0], 0x81);
  EXPECT_TRUE(std::equal(data.begin(), data.begin() + 256, d.out.begin() + 1));
  EXPECT_EQ(d.out[257], 0x82);
  EXPECT_TRUE(std::equal(data.begin() + 256, data.end(), d.out.begin() + 258));
  // A run that does not fit the unpacked size, or is cut off, is damage.
  EXPECT_EQ(decode(Stream().width(8).raw(Bytes(256, 7)).end().block(255)).result, 0u);
  Bytes cut = Stream().width(8).raw(Bytes(512, 7)).end().block(512);
  cut.resize(cut.size() - 40);
  EXPECT_EQ(decode(cut).result, 0u);
}

// Every offset 1..20 with lengths 1..40, at the start, the middle and the very end of
// the output, against a byte-by-byte reference.
TEST(JcDecode, OverlappingCopiesMatchByteLoop) {
  const Bytes seed = qvtest::randomBytes(24, 3);
  for (uint32_t offset = 1; offset <= 20; ++offset) {
    for (uint32_t len = 6; len <= 40; ++len) {
      for (uint32_t tail : {0u, 3u, 20u}) {
        Stream s;
        s.width(8);
        for (uint8_t b : seed) s.lit(b);
        s.longMatch(offset, len - 4);
        Bytes expected = seed;
        for (uint32_t i = 0; i < len; ++i) expected.push_back(expected[expected.size() - offset]);
        for (uint32_t i = 0; i < tail; ++i) {
          s.lit(i);
          expected.push_back(uint8_t(i));
        }
        Decoded d = decode(s.end().block(uint32_t(expected.size()), qv::blockChecksum(expected.data(), expected.size())));
        ASSERT_EQ(d.result, expected.size()) << offset << " " << len;
        ASSERT_EQ(d.out, expected) << offset << " " << len << " " << tail;
      }
    }
  }
}

TEST(JcDecode, DamagedBlocksFail) {
  // Copies from before the output, past the unpacked size, or with offset 0.
  EXPECT_EQ(decode(Stream().width(8).text("ab").shortMatch(3, 2).end().block(4)).result, 0u);
  EXPECT_EQ(decode(Stream().width(8).text("ab").nibble(4).end().block(3)).result, 0u);
  EXPECT_EQ(decode(Stream().width(8).text("ab").shortMatch(2, 5).end().block(6)).result, 0u);
  EXPECT_EQ(decode(Stream().width(8).text("ab").end().block(1)).result, 0u);
  EXPECT_EQ(decode(Stream().width(8).text("ab").nibble(1).end().block(2)).result, 0u);
  Stream zero;
  zero.width(8).text("ab").bits(0b01, 2).bits(0b10, 2).bits(0, 8).bits(0b00, 2);  // g = 3, low 0
  EXPECT_EQ(decode(zero.end().block(8)).result, 0u);
  // A gamma value of 33 bits overflows.
  Stream over;
  over.width(8).text("ab").bits(0b01, 2);
  for (int i = 0; i < 32; ++i) over.bits(0b11, 2);
  over.bits(0b10, 2);
  EXPECT_EQ(decode(over.end().block(8)).result, 0u);
  // A stream that runs out before its end code, and a last word cut short.
  // (the width code and 31 literals fill 9 words exactly: no zero padding that would
  // read as an end code)
  Bytes noEnd = Stream().width(8).text("abcdefghijklmnopqrstuvwxyz01234").block(31);
  EXPECT_EQ(decode(noEnd).result, 0u);
  Bytes good = Stream().width(8).text("abc").end().block(3);
  ASSERT_EQ(decode(good).result, 3u);
  Bytes partial = good;
  partial.pop_back();
  EXPECT_EQ(decode(partial).result, 0u);
  // Bytes after the word holding the end code are never read.
  Bytes trailing = good;
  trailing.insert(trailing.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(decode(trailing).result, 3u);
  // A damaged stream that is long enough for the fast loop.
  Stream longBad;
  longBad.width(8);
  for (int i = 0; i < 200; ++i) longBad.lit(uint8_t(i));
  longBad.longMatch(201, 2);
  for (int i = 0; i < 200; ++i) longBad.lit(uint8_t(i));
  EXPECT_EQ(decode(longBad.end().block(500)).result, 0u);
}

TEST(JcDecode, UnwrittenBytesAreZero) {
  // Fewer bytes than the unpacked size: the rest reads as zero, also for the checksum.
  Bytes expected = {'a', 'b', 0, 0, 0, 0};
  const uint32_t sum = qv::blockChecksum(expected.data(), expected.size());
  Decoded d = decode(Stream().width(8).text("ab").end().block(6, sum), 0xFF);
  EXPECT_EQ(d.result, 2u);
  EXPECT_EQ(d.out, expected);
  // A block with unpacked size 0 yields 0.
  EXPECT_EQ(decode(Stream().width(8).end().block(0)).result, 0u);
}

}  // namespace
