#include "codec/jc_cost.h"
#include "codec/jc_token_passes.h"

namespace qv {
namespace jc {

Tokens normalizeTokens(const Tokens& tokens) {
  Tokens out;
  out.reserve(tokens.size());
  uint64_t last = kStartLastOffset;
  for (const Token& t : tokens) {
    if (isCopy(t) && matchCost(t.length, t.offset, last, 0) == kNoCode) {
      for (uint32_t i = 0; i < t.length; ++i) out.push_back(Token{1, 0});
      continue;
    }
    out.push_back(t);
    if (isCopy(t) && t.length >= 2) last = t.offset;
  }
  return out;
}

}  // namespace jc
}  // namespace qv
