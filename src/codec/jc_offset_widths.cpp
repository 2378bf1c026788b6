// Offset widths per stretch: a shortest path over fixed stretches of tokens with one
// state per width, where a change costs an offset-width code.
#include <algorithm>

#include "codec/jc_cost.h"
#include "codec/jc_emit.h"
#include "codec/jc_token_passes.h"

namespace qv {
namespace jc {

std::vector<std::pair<size_t, unsigned>> planOffsetWidths(const Tokens& tokens) {
  constexpr size_t kStretch = 4096;
  constexpr unsigned kWidths = kMaxUsableOffsetWidth + 1;
  constexpr uint64_t kChange = 18;
  const size_t stretches = tokens.size() / kStretch + 1;
  std::vector<uint8_t> from(stretches * kWidths);
  uint64_t best[kWidths];
  for (unsigned w = 0; w < kWidths; ++w) best[w] = w == kStartOffsetWidth ? 0 : kChange;
  uint64_t last = kStartLastOffset;
  for (size_t s = 0; s < stretches; ++s) {
    uint64_t cost[kWidths] = {};
    const size_t end = std::min(tokens.size(), (s + 1) * kStretch);
    for (size_t i = s * kStretch; i < end; ++i) {
      const Token& t = tokens[i];
      if (!isCopy(t) || t.length < 2) continue;
      if (t.offset != last && !(t.offset <= kShortMaxOffset && t.length <= kShortMaxLength))
        for (unsigned w = 0; w < kWidths; ++w) cost[w] += gammaCost((uint64_t(t.offset) >> w) + 3) + w;
      last = t.offset;
    }
    unsigned cheapest = 0;
    for (unsigned w = 1; w < kWidths; ++w)
      if (best[w] < best[cheapest]) cheapest = w;
    uint64_t next[kWidths];
    for (unsigned w = 0; w < kWidths; ++w) {
      const bool change = s > 0 && best[cheapest] + kChange < best[w];
      next[w] = (change ? best[cheapest] + kChange : best[w]) + cost[w];
      from[s * kWidths + w] = uint8_t(change ? cheapest : w);
    }
    std::copy(next, next + kWidths, best);
  }
  unsigned w = 0;
  for (unsigned v = 1; v < kWidths; ++v)
    if (best[v] < best[w]) w = v;
  std::vector<unsigned> widths(stretches);
  for (size_t s = stretches; s-- > 0;) {
    widths[s] = w;
    w = from[s * kWidths + w];
  }
  std::vector<std::pair<size_t, unsigned>> changes;
  unsigned current = kStartOffsetWidth;
  for (size_t s = 0; s < stretches; ++s) {
    if (widths[s] != current) changes.emplace_back(s * kStretch, widths[s]);
    current = widths[s];
  }
  return changes;
}

std::vector<uint8_t> planOffsetWidthsByPosition(const Tokens& parsed, size_t n) {
  const Tokens tokens = normalizeTokens(parsed);
  const std::vector<std::pair<size_t, unsigned>> changes = planOffsetWidths(tokens);
  std::vector<uint8_t> widths((n >> kWidthChunkBits) + 1, uint8_t(kStartOffsetWidth));
  unsigned current = kStartOffsetWidth;
  size_t pos = 0, change = 0;
  for (size_t i = 0; i <= tokens.size(); ++i) {
    for (; change < changes.size() && changes[change].first <= i; ++change) current = changes[change].second;
    // Chunks that start within this token take its width.
    const size_t end = i < tokens.size() ? pos + tokens[i].length : n + 1;
    for (size_t c = (pos + (size_t(1) << kWidthChunkBits) - 1) >> kWidthChunkBits;
         c < widths.size() && (c << kWidthChunkBits) < end; ++c)
      widths[c] = uint8_t(current);
    if (i < tokens.size()) pos = end;
  }
  return widths;
}

}  // namespace jc
}  // namespace qv
