#include "codec/jc_match_finder.h"

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
inline uint32_t hash3(const uint8_t* p, unsigned bits) {
  return ((uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16) * 2246822519u) >> (32 - bits);
}
inline uint32_t hash2(const uint8_t* p, unsigned bits) {
  const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8;
  return bits == 16 ? v : (v * 2654435761u) >> (32 - bits);
}

constexpr size_t kPrefetchAhead = 8;

}  // namespace

MatchFinder::MatchFinder(const uint8_t* data, size_t n, unsigned depth, unsigned niceLength)
    : data_(data), n_(n), depth_(std::max(depth, 1u)), nice_(std::min<unsigned>(niceLength, kMaxMatch)) {
  hashBits_ = 10;
  while (hashBits_ < 20 && (size_t(1) << hashBits_) < n) ++hashBits_;
  // Small inputs get small tables: many package entries are small files.
  nearBits_ = hashBits_ < 16 ? hashBits_ : 16;
  if (depth_ <= kMaxRow) {
    // Rows: the candidates of a hash lie side by side, so their loads do not wait
    // on one another as a chain's do.
    rowSize_ = 1;
    while (rowSize_ < depth_) rowSize_ *= 2;
    while (hashBits_ > 8 && (size_t(rowSize_) << hashBits_) > 2 * n) --hashBits_;
    rows_.assign(size_t(rowSize_) << hashBits_, 0);
    rowHeads_.assign(size_t(1) << hashBits_, 0);
  } else {
    head_.assign(size_t(1) << hashBits_, 0);
    chain_.assign(n, 0);
  }
  near2_.assign(size_t(1) << nearBits_, 0);
  near3_.assign(size_t(1) << nearBits_, 0);
}

void MatchFinder::insert(size_t pos) {
  const uint8_t* p = data_ + pos;
  const size_t left = n_ - pos;
  if (left >= 4) {
    const uint32_t h = hash4(p, hashBits_);
    if (rowSize_) {
      uint8_t& head = rowHeads_[h];
      rows_[size_t(h) * rowSize_ + head] = uint32_t(pos + 1);
      head = uint8_t((head + 1) & (rowSize_ - 1));
    } else {
      chain_[pos] = head_[h];
      head_[h] = uint32_t(pos + 1);
    }
  }
  if (left >= 3) near3_[hash3(p, nearBits_)] = uint32_t(pos + 1);
  if (left >= 2) near2_[hash2(p, nearBits_)] = uint32_t(pos + 1);
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
  // The tables are far larger than the caches: ask for what a later call needs.
  if (left >= kPrefetchAhead + 4) {
    const uint8_t* ahead = cur + kPrefetchAhead;
    const uint32_t h = hash4(ahead, hashBits_);
    __builtin_prefetch(rowSize_ ? &rows_[size_t(h) * rowSize_] : &head_[h]);
    if (rowSize_) __builtin_prefetch(&rowHeads_[h]);
    __builtin_prefetch(&near2_[hash2(ahead, nearBits_)]);
    __builtin_prefetch(&near3_[hash3(ahead, nearBits_)]);
  }
  const uint32_t limit = uint32_t(std::min<size_t>(left, kMaxMatch));
  size_t count = 0;
  uint32_t best = 1;

  if (uint32_t p = near2_[hash2(cur, nearBits_)]) {
    const uint32_t len = matchLength(cur, data_ + p - 1, limit);  // 0 or 1 on a hash collision
    if (len >= 2) {
      out[count++] = Match{len, uint32_t(pos + 1 - p)};
      best = len;
    }
  }
  if (left >= 3 && best < limit) {
    if (uint32_t p = near3_[hash3(cur, nearBits_)]) {
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
  if (left >= 4 && best < nice_ && best < limit && rowSize_) {
    const uint32_t h = hash4(cur, hashBits_);
    const uint32_t* row = rows_.data() + size_t(h) * rowSize_;
    const unsigned head = rowHeads_[h];
    for (unsigned k = 0; k < rowSize_; ++k) {
      const uint32_t p = row[(head - 1 - k) & (rowSize_ - 1)];
      if (p) __builtin_prefetch(data_ + p - 1);
    }
    for (unsigned k = 0; k < rowSize_; ++k) {
      const uint32_t p = row[(head - 1 - k) & (rowSize_ - 1)];
      if (!p) break;
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
    }
  } else if (left >= 4 && best < nice_ && best < limit) {
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
