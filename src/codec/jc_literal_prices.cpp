#include "codec/jc_parse.h"

#include "codec/jc_cost.h"

namespace qv {
namespace jc {

LiteralPrices::LiteralPrices(const uint8_t* data, size_t n) : data_(data) {
  const size_t chunk = size_t(1) << kChunkBits;
  chunk_.resize((n >> kChunkBits) + 1, kLiteralCode8);
  for (size_t c = 0; c < chunk_.size(); ++c) {
    const size_t begin = c * chunk, end = begin + chunk < n ? begin + chunk : n;
    unsigned lo = 255, hi = 0;
    for (size_t i = begin; i < end; ++i) {
      const unsigned b = data[i];
      if (!b) continue;
      if (b < lo) lo = b;
      if (b > hi) hi = b;
    }
    if (hi < lo || hi - lo < 128) chunk_[c] = kLiteralCode7;
  }
}

}  // namespace jc
}  // namespace qv
