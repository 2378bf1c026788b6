// Optimal parsing: the cheapest path through a window of positions, where every
// position may be reached by a literal, a nibble copy, a repeat of the path's last
// offset, any length of the matches found, or a raw chunk. The last offset is the one of the
// cheapest path into each position. Windows are parsed one after another; a match
// of the nice length is taken at once.
#include <algorithm>

#include "codec/jc_cost.h"
#include "codec/jc_match_finder.h"
#include "codec/jc_parse.h"

namespace qv {
namespace jc {
namespace {

constexpr size_t kWindow = size_t(1) << 15;

struct Node {
  uint32_t cost;
  uint32_t length;  // of the step that reaches this node
  uint32_t offset;  // 0: literal
  uint32_t last;    // last offset after that step
};

class OptimalParser {
 public:
  OptimalParser(const uint8_t* data, size_t n, const ParseSettings& s, const LiteralPrices& prices)
      : data_(data), n_(n), s_(s), prices_(prices), finder_(data, n, s.depth, s.niceLength),
        nodes_(std::min(n, kWindow + kMaxMatch) + 1) {}

  Tokens run() {
    Tokens tokens;
    tokens.reserve(n_ / 4 + 16);
    size_t pos = 0;
    uint32_t last = kStartLastOffset;
    while (pos < n_) {
      const size_t used = parseWindow(pos, last);
      appendPath(tokens, used);
      last = nodes_[used].last;
      pos += used;
    }
    return tokens;
  }

 private:
  void relax(size_t at, uint32_t cost, uint32_t length, uint32_t offset, uint32_t last) {
    Node& node = nodes_[at];
    if (cost < node.cost) node = Node{cost, length, offset, last};
  }

  // Parses positions from pos on; returns how many bytes the chosen path covers.
  size_t parseWindow(size_t pos, uint32_t last) {
    const size_t span = std::min(kWindow, n_ - pos);
    const size_t reach = std::min(span + kMaxMatch, n_ - pos);
    for (size_t k = 0; k <= reach; ++k) nodes_[k].cost = kNoCode;
    nodes_[0] = Node{0, 0, 0, last};

    size_t k = 0;
    while (k < span) {
      const Node& node = nodes_[k];
      if (node.cost == kNoCode) {
        ++k;
        continue;
      }
      const size_t at = pos + k;
      const uint32_t base = node.cost, prev = node.last;
      const uint8_t* cur = data_ + at;
      const uint32_t limit = uint32_t(std::min<size_t>(n_ - at, kMaxMatch));
      const unsigned width = s_.widthAt(at);
      const size_t count = finder_.find(at, matches_);

      const uint32_t lit = prices_(at);
      relax(k + 1, base + lit, 1, 0, prev);
      if (lit > kNibbleCode) {
        for (uint32_t d = 1; d <= kNibbleMaxOffset && d <= at; ++d) {
          if (cur[-ptrdiff_t(d)] == *cur) {
            relax(k + 1, base + kNibbleCode, 1, d, prev);
            break;
          }
        }
      }

      if (k + kRawChunk <= reach) {  // a raw chunk, cheaper when it continues a run
        relax(k + kRawChunk, base + kRawChunkCode + (node.offset == kRawToken ? 0 : 8), kRawChunk, kRawToken, prev);
      }

      uint32_t longest = 0, longestOffset = 0;
      uint32_t repLength = 0;
      if (prev <= at) {
        repLength = matchLength(cur, cur - prev, limit);
        if (repLength >= 2) {
          longest = repLength;
          longestOffset = prev;
        }
      }
      if (count && matches_[count - 1].length > longest) {
        longest = matches_[count - 1].length;
        longestOffset = matches_[count - 1].offset;
      }
      if (longest >= s_.niceLength) {
        // Long enough: take it whole and go on after it.
        const uint32_t cost = matchCost(longest, longestOffset, prev, width);
        if (cost != kNoCode) {
          relax(k + longest, base + cost, longest, longestOffset, longestOffset);
          k += longest;
          continue;
        }
      }
      for (uint32_t len = 2; len <= repLength; ++len) relax(k + len, base + repeatCost(len), len, prev, prev);
      uint32_t from = 2;
      for (size_t m = 0; m < count; ++m) {
        const uint32_t offset = matches_[m].offset;
        for (uint32_t len = from; len <= matches_[m].length; ++len) {
          const uint32_t cost = matchCost(len, offset, prev, width);
          if (cost != kNoCode) relax(k + len, base + cost, len, offset, offset);
        }
        from = std::max(from, matches_[m].length + 1);
      }
      ++k;
    }
    size_t end = span;
    while (nodes_[end].cost == kNoCode) ++end;
    return end;
  }

  void appendPath(Tokens& tokens, size_t end) {
    const size_t first = tokens.size();
    for (size_t k = end; k > 0; k -= nodes_[k].length) tokens.push_back(Token{nodes_[k].length, nodes_[k].offset});
    std::reverse(tokens.begin() + ptrdiff_t(first), tokens.end());
  }

  const uint8_t* data_;
  size_t n_;
  ParseSettings s_;
  const LiteralPrices& prices_;
  MatchFinder finder_;
  std::vector<Node> nodes_;
  Match matches_[MatchFinder::kMaxMatches];
};

}  // namespace

Tokens parseOptimal(const uint8_t* data, size_t n, const ParseSettings& settings, const LiteralPrices& prices) {
  OptimalParser parser(data, n, settings, prices);
  return parser.run();
}

}  // namespace jc
}  // namespace qv
