// The encoder's parsers: they split the input into literals and copies, priced with
// the bit costs of the codes that will carry them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/jc_tokens.h"

namespace qv {
namespace jc {

struct ParseSettings {
  unsigned depth;        // hash-chain candidates tried per position
  unsigned niceLength;   // a match this long is taken without looking further
  bool lazy;             // greedy parse: look one position ahead
  unsigned offsetWidth;  // assumed for the price of explicit offsets
  // When set: the width per chunk of 2^widthChunkBits positions instead.
  const uint8_t* widthByChunk = nullptr;
  unsigned widthChunkBits = 0;

  unsigned widthAt(size_t pos) const { return widthByChunk ? widthByChunk[pos >> widthChunkBits] : offsetWidth; }
};

// Price of coding one byte as a literal: 7 bits for a zero byte (its own code), 8 in
// stretches whose bytes fit a 7-bit literal window, 9 elsewhere.
class LiteralPrices {
 public:
  LiteralPrices(const uint8_t* data, size_t n);
  uint32_t operator()(size_t pos) const { return data_[pos] ? chunk_[pos >> kChunkBits] : 7; }

 private:
  static constexpr unsigned kChunkBits = 12;
  const uint8_t* data_;
  std::vector<uint8_t> chunk_;
};

// Takes the best-priced match at each position (optionally one position lazy).
Tokens parseGreedy(const uint8_t* data, size_t n, const ParseSettings& settings, const LiteralPrices& prices);
// Cheapest path through all literals and matches found, position by position.
Tokens parseOptimal(const uint8_t* data, size_t n, const ParseSettings& settings, const LiteralPrices& prices);

}  // namespace jc
}  // namespace qv
