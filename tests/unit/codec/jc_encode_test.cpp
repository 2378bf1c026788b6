// The JC encoder: every level round-trips varied data, writes well-formed blocks and
// actually compresses what is compressible.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/jc_encode.h"
#include "support/test_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Packs at a level and checks the block's form and its round trip; returns its size.
size_t roundTrip(const Bytes& data, int level) {
  const Bytes block = qv::packBlock(data.data(), data.size(), level);
  EXPECT_GE(block.size(), qv::kBlockHeaderSize + 4);
  EXPECT_EQ((block.size() - qv::kBlockHeaderSize) % 4, 0u) << "bit stream not whole words";
  EXPECT_EQ(block[13], 0x20) << "first code is not a literal-width code";
  uint32_t size = 0;
  EXPECT_TRUE(qv::readBlockUnpackedSize(block.data(), block.size(), size));
  EXPECT_EQ(size, data.size());
  Bytes out(data.size() + 1, 0xA5);
  const size_t written = qv::unpackBlock(block.data(), block.size(), out.data(), data.size());
  EXPECT_EQ(written, data.size()) << "level " << level;
  out.resize(data.size());
  EXPECT_TRUE(out == data) << "level " << level << " size " << data.size();
  return block.size();
}

Bytes runs(size_t n, uint32_t seed) {
  Bytes r = qvtest::randomBytes(n, seed), out;
  for (size_t i = 0; out.size() < n; ++i) out.insert(out.end(), 1 + r[i % n] % 40, r[(i * 7 + 1) % n] & 0x0F);
  out.resize(n);
  return out;
}

Bytes mixed(size_t n, uint32_t seed) {
  Bytes out;
  for (uint32_t part = 0; out.size() < n; ++part) {
    Bytes piece;
    switch (part % 5) {
      case 0: piece = qvtest::textBytes(3000 + part * 11, seed + part); break;
      case 1: piece = qvtest::randomBytes(700 + part * 13, seed + part); break;
      case 2: piece.assign(500 + part, 0); break;
      case 3: piece = runs(900, seed + part); break;
      default:  // an earlier stretch again, from far back
        piece.assign(out.begin() + ptrdiff_t(out.size() / 3), out.begin() + ptrdiff_t(out.size() / 3 + 1000));
    }
    out.insert(out.end(), piece.begin(), piece.end());
  }
  out.resize(n);
  return out;
}

TEST(JcEncode, SmallInputsAllLevels) {
  for (int level = 1; level <= 9; ++level) {
    for (size_t n = 0; n <= 40; ++n) {
      roundTrip(qvtest::randomBytes(n, uint32_t(n)), level);
      roundTrip(Bytes(n, 0), level);
      roundTrip(Bytes(n, 'x'), level);
      roundTrip(qvtest::textBytes(n, 3), level);
    }
  }
}

TEST(JcEncode, VariedDataAllLevels) {
  const size_t sizes[] = {255, 256, 257, 1000, 4096, 65537};
  for (int level = 1; level <= 9; ++level) {
    for (size_t n : sizes) {
      roundTrip(qvtest::randomBytes(n, 11), level);
      roundTrip(qvtest::textBytes(n, 12), level);
      roundTrip(runs(n, 13), level);
      roundTrip(Bytes(n, 0), level);
      roundTrip(mixed(n, 14), level);
    }
  }
}

TEST(JcEncode, PeriodicPatterns) {
  // Every small period, so that nibble copies, short matches, repeats and long
  // matches with small offsets all come up.
  for (uint32_t period = 1; period <= 20; ++period) {
    Bytes seed = qvtest::randomBytes(period, period), data;
    while (data.size() < 5000) data.insert(data.end(), seed.begin(), seed.end());
    data[2500] ^= 0x55;  // one break in the pattern
    for (int level : {1, 3, 6, 9}) EXPECT_LT(roundTrip(data, level), 200u) << period;
  }
}

TEST(JcEncode, CompressesWhatIsCompressible) {
  const Bytes text = qvtest::textBytes(200000, 21);
  const Bytes random = qvtest::randomBytes(200000, 22);
  const Bytes zeros(1 << 20, 0);
  size_t textLevel1 = 0;
  for (int level = 1; level <= 9; ++level) {
    const size_t t = roundTrip(text, level);
    EXPECT_LT(t, text.size() / 4) << level;
    if (level == 1) textLevel1 = t;
    if (level == 9) {
      EXPECT_LT(t, textLevel1);
    }
    // Incompressible data goes into raw runs: hardly more than the input.
    EXPECT_LT(roundTrip(random, level), random.size() + random.size() / 200 + 64) << level;
    EXPECT_LT(roundTrip(zeros, level), 1000u) << level;
  }
}

TEST(JcEncode, UsesSevenBitLiteralsWithABase) {
  // Groups of 4 random bytes from 0xA0..0x11F (mod 256) and a fixed 12-byte string:
  // with 8-bit literals a group takes at least 36 + 10 bits, with 7-bit literals
  // and base 0xA0 32 + 10. Too many copies in between for raw runs.
  const Bytes r = qvtest::randomBytes(40000, 24);
  const char* fixed = "setup-folder";
  Bytes data;
  for (size_t g = 0; g < 10000; ++g) {
    for (size_t k = 0; k < 4; ++k) data.push_back(uint8_t(0xA0 + r[4 * g + k] % 128));
    data.insert(data.end(), fixed, fixed + 12);
  }
  for (int level : {3, 6, 9}) EXPECT_LT(roundTrip(data, level), 10000u * 44 / 8) << level;
}

TEST(JcEncode, WidensTheOffsetFieldForFarCopies) {
  // 1 MB of random bytes, then 32-byte pieces of it in shuffled order: offsets up to
  // 2 MB, where an 8-bit field would cost about 42 bits a copy and a 19-bit one 33.
  const Bytes a = qvtest::randomBytes(1 << 20, 25);
  const Bytes order = qvtest::randomBytes(4 * 32768, 26);
  Bytes data = a;
  for (size_t j = 0; j < 32768; ++j) {
    const size_t piece = (size_t(order[4 * j]) | size_t(order[4 * j + 1]) << 8 | size_t(order[4 * j + 2]) << 16) % 32768;
    data.insert(data.end(), a.begin() + ptrdiff_t(32 * piece), a.begin() + ptrdiff_t(32 * piece + 32));
  }
  for (int level : {1, 6}) EXPECT_LT(roundTrip(data, level), a.size() + a.size() / 200 + 32768u * 36 / 8) << level;
}

TEST(JcEncode, FindsMatchesAcrossTheWholeInput) {
  // A stretch repeated 400 KB later: no window limit stops the copy.
  const Bytes a = qvtest::randomBytes(300000, 31), b = qvtest::randomBytes(100000, 32);
  Bytes data = a;
  data.insert(data.end(), b.begin(), b.end());
  data.insert(data.end(), a.begin(), a.end());
  for (int level : {1, 4, 6, 9}) EXPECT_LT(roundTrip(data, level), 404000u) << level;
}

TEST(JcEncode, LargeMixedInput) {
  // Large enough for offsets beyond 64 KiB, whose lengths take the largest adjustment.
  const Bytes data = mixed(256 << 10, 41);
  size_t sizes[10] = {};
  for (int level : {1, 6, 9}) sizes[level] = roundTrip(data, level);
  EXPECT_LE(sizes[9], sizes[6]);
  EXPECT_LE(sizes[6], sizes[1]);
}

}  // namespace
