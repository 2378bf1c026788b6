// Greedy and lazy parsing: fast levels.
#include <algorithm>

#include "codec/jc_cost.h"
#include "codec/jc_match_finder.h"
#include "codec/jc_parse.h"

namespace qv {
namespace jc {
namespace {

struct Choice {
  uint32_t length = 1;
  uint32_t offset = 0;  // 0: literal
  int gain = 0;         // bits saved against literals
};

struct Options {
  Choice best;  // over all lengths
  Choice one;   // the best way to code just this byte
};

class GreedyParser {
 public:
  GreedyParser(const uint8_t* data, size_t n, const ParseSettings& s, const LiteralPrices& prices)
      : data_(data), n_(n), s_(s), prices_(prices), finder_(data, n, s.depth, s.niceLength) {}

  Options evaluate(size_t pos, uint64_t last) {
    Options o;
    const size_t count = finder_.find(pos, matches_);
    const int lit = int(prices_(pos));
    for (uint32_t d = 1; lit > int(kNibbleCode) && d <= kNibbleMaxOffset && d <= pos; ++d) {
      if (data_[pos - d] == data_[pos]) {
        o.one = Choice{1, d, lit - int(kNibbleCode)};
        break;
      }
    }
    o.best = o.one;
    const uint8_t* cur = data_ + pos;
    const uint32_t limit = uint32_t(std::min<size_t>(n_ - pos, kMaxMatch));
    if (last <= pos) {
      const uint32_t len = matchLength(cur, cur - last, limit);
      if (len >= 2) consider(o.best, len, uint32_t(last), last, lit);
    }
    for (size_t k = 0; k < count; ++k) {
      const Match& m = matches_[k];
      consider(o.best, m.length, m.offset, last, lit);
      if (m.offset <= kShortMaxOffset && m.length > kShortMaxLength)
        consider(o.best, kShortMaxLength, m.offset, last, lit);
    }
    return o;
  }

  Tokens run() {
    Tokens tokens;
    uint64_t last = kStartLastOffset;
    size_t pos = 0;
    if (n_ == 0) return tokens;
    Options cur = evaluate(0, last);
    while (pos < n_) {
      if (s_.lazy && cur.best.length >= 2 && cur.best.length < s_.niceLength && pos + 1 < n_) {
        Options next = evaluate(pos + 1, last);
        if (next.best.gain > cur.best.gain) {
          emit(tokens, cur.one, last);
          pos += 1;
          cur = next;
          continue;
        }
      }
      emit(tokens, cur.best, last);
      pos += cur.best.length;
      if (pos < n_) cur = evaluate(pos, last);
    }
    return tokens;
  }

 private:
  void consider(Choice& best, uint32_t len, uint32_t offset, uint64_t last, int lit) {
    const uint32_t cost = matchCost(len, offset, last, s_.offsetWidth);
    if (cost == kNoCode) return;
    const int gain = int(len) * lit - int(cost);
    if (gain > best.gain || (gain == best.gain && len > best.length)) best = Choice{len, offset, gain};
  }

  static void emit(Tokens& tokens, const Choice& c, uint64_t& last) {
    tokens.push_back(Token{c.length, c.offset});
    if (c.offset && c.length >= 2) last = c.offset;
  }

  const uint8_t* data_;
  size_t n_;
  ParseSettings s_;
  const LiteralPrices& prices_;
  MatchFinder finder_;
  Match matches_[MatchFinder::kMaxMatches];
};

}  // namespace

Tokens parseGreedy(const uint8_t* data, size_t n, const ParseSettings& settings, const LiteralPrices& prices) {
  GreedyParser parser(data, n, settings, prices);
  return parser.run();
}

}  // namespace jc
}  // namespace qv
