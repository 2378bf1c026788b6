// Finds earlier occurrences of the bytes at a position, over the whole input (the
// format has no window). Positions are indexed in order as they are passed; the
// nearest 2- and 3-byte occurrences come from their own tables so that the short
// codes find their small offsets, longer matches from rows of the latest positions
// per 4-byte hash (shallow searches) or from hash chains (deep ones).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/jc_match_length.h"

namespace qv {
namespace jc {

constexpr uint32_t kMaxMatch = 65535;

struct Match {
  uint32_t length;
  uint32_t offset;
};

class MatchFinder {
 public:
  MatchFinder(const uint8_t* data, size_t n, unsigned depth, unsigned niceLength);

  // Matches at pos with strictly increasing lengths (each the nearest found for its
  // length); returns their count, at most kMaxMatches. Positions up to pos are indexed.
  static constexpr size_t kMaxMatches = 64;
  size_t find(size_t pos, Match* out);
  // Indexes every position before pos that is not indexed yet.
  void skipTo(size_t pos);

 private:
  void insert(size_t pos);

  const uint8_t* data_;
  size_t n_;
  unsigned depth_;
  unsigned nice_;
  size_t next_ = 0;  // first position not indexed
  static constexpr unsigned kMaxRow = 16;
  unsigned hashBits_;
  unsigned rowSize_ = 0;  // 0: hash chains
  unsigned nearBits_;
  std::vector<uint32_t> rows_;      // rowSize_ latest positions + 1 per 4-byte hash
  std::vector<uint8_t> rowHeads_;   // next slot of each row
  std::vector<uint32_t> head_;   // position + 1 per 4-byte hash
  std::vector<uint32_t> chain_;  // previous position + 1 with the same hash
  std::vector<uint32_t> near2_;  // position + 1 per 2-byte hash
  std::vector<uint32_t> near3_;  // position + 1 per 3-byte hash
};

}  // namespace jc
}  // namespace qv
