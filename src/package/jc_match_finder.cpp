#include "package/jc_match_finder.h"

#include <algorithm>

namespace qv {
namespace jc {
namespace {

inline uint32_t load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline uint32_t hash4(const uint8_t* p, unsigned bits) { return (load32(p) * 2654435761u) >> (32 - bits); }
inline uint32_t hash3(const uint8_t* p) {
  return ((uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16) * 2246822519u) >> 16;
}
inline uint32_t value2(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

}  // namespace

MatchFinder::MatchFinder(const uint8_t* data, size_t n, unsigned depth, unsigned niceLength)
    : data_(data), n_(n), depth_(std::max(depth, 1u)), nice_(std::min<unsigned>(niceLength, kMaxMatch)) {
  hashBits_ = 12;
  while (hashBits_ < 20 && (size_t(1) << hashBits_) < n) ++hashBits_;
  head_.assign(size_t(1) << hashBits_, 0);
  chain_.assign(n, 0);
  near2_.assign(size_t(1) << 16, 0);
  near3_.assign(size_t(1) << 16, 0);
}

void MatchFinder::insert(size_t pos) {
  const uint8_t* p = data_ + pos;
  const size_t left = n_ - pos;
  if (left >= 4) {
    uint32_t& h = head_[hash4(p, hashBits_)];
    chain_[pos] = h;
    h = uint32_t(pos + 1);
  }
  if (left >= 3) near3_[hash3(p)] = uint32_t(pos + 1);
  if (left >= 2) near2_[value2(p)] = uint32_t(pos + 1);
}

void MatchFinder::skipTo(size_t pos) {
  while (next_ < pos) insert(next_++);
}

size_t MatchFinder::find(size_t pos, Match* out) {
  skipTo(pos);
  const size_t left = n_ - pos;
  if (left < 2) {
    if (next_ == pos) insert(next_++);
    return 0;
  }
  const uint8_t* cur = data_ + pos;
  const uint32_t limit = uint32_t(std::min<size_t>(left, kMaxMatch));
  size_t count = 0;
  uint32_t best = 1;

  if (uint32_t p = near2_[value2(cur)]) {
    const uint32_t len = matchLength(cur, data_ + p - 1, limit);
    if (len >= 2) {
      out[count++] = Match{len, uint32_t(pos + 1 - p)};
      best = len;
    }
  }
  if (left >= 3 && best < limit) {
    if (uint32_t p = near3_[hash3(cur)]) {
      const uint32_t offset = uint32_t(pos + 1 - p);
      if (cur[best] == data_[p - 1 + best]) {
        const uint32_t len = matchLength(cur, data_ + p - 1, limit);
        if (len > best) {
          out[count++] = Match{len, offset};
          best = len;
        }
      }
    }
  }
  if (left >= 4 && best < nice_ && best < limit) {
    uint32_t p = head_[hash4(cur, hashBits_)];
    for (unsigned d = depth_; p && d; --d) {
      const uint8_t* cand = data_ + p - 1;
      if (cand[best] == cur[best] && load32(cand) == load32(cur)) {
        const uint32_t len = matchLength(cur, cand, limit);
        if (len > best) {
          best = len;
          if (count == kMaxMatches) --count;
          out[count++] = Match{len, uint32_t(pos + 1 - p)};
          if (len >= nice_ || len == limit) break;
        }
      }
      p = chain_[p - 1];
    }
  }
  insert(next_++);
  return count;
}

}  // namespace jc
}  // namespace qv
