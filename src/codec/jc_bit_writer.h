// Writes a JC bit stream: bits go into 32-bit words from the most significant bit
// down, and the words are stored little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {
namespace jc {

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

  // The low n bits of value (n <= 32), most significant first.
  void putBits(uint32_t value, unsigned n) {
    if (n == 0) return;
    acc_ = acc_ << n | (uint64_t(value) & ((uint64_t(1) << n) - 1));
    count_ += n;
    while (count_ >= 32) {
      count_ -= 32;
      storeWord(uint32_t(acc_ >> count_));
    }
  }
  void putBit(unsigned bit) { putBits(bit & 1, 1); }

  // Gamma code of v >= 2: each data bit after the leading 1, then a continue bit.
  void putGamma(uint32_t v) {
    unsigned top = 31;
    while (!(v >> top)) --top;
    for (int i = int(top) - 1; i >= 0; --i) putBits(((v >> i) & 1) << 1 | (i > 0), 2);
  }

  // Pads the last word with zero bits.
  void finish() {
    if (count_ > 0) putBits(0, 32 - count_);
  }

  size_t bitCount() const { return (out_.size() - start_) * 8 + count_; }

 private:
  void storeWord(uint32_t w) {
    out_.push_back(uint8_t(w));
    out_.push_back(uint8_t(w >> 8));
    out_.push_back(uint8_t(w >> 16));
    out_.push_back(uint8_t(w >> 24));
  }

  std::vector<uint8_t>& out_;
  size_t start_ = out_.size();
  uint64_t acc_ = 0;
  unsigned count_ = 0;
};

// Bits a gamma code of v >= 2 takes.
inline unsigned gammaBits(uint32_t v) {
  unsigned top = 31;
  while (!(v >> top)) --top;
  return 2 * top;
}

}  // namespace jc
}  // namespace qv
