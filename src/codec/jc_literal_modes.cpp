// A shortest path over the literals with one state per mode: width 8, or width 7
// with a base in steps of 4. Done in segments, each starting in the mode the one
// before ended in, so that memory stays small for any input.
#include "codec/jc_literal_modes.h"

#include "codec/jc_cost.h"

namespace qv {
namespace jc {
namespace {

constexpr unsigned kStates = 65;  // 0: width 8; s >= 1: width 7, base 4 * (s - 1)
constexpr uint32_t kInf = 0x3FFFFFFF;
constexpr size_t kSegment = size_t(1) << 16;

inline LiteralMode modeOf(unsigned s) {
  return s == 0 ? LiteralMode{8, 0} : LiteralMode{7, uint8_t(4 * (s - 1))};
}
inline uint32_t entryCost(unsigned s) { return s == 0 ? kWidthCode8 : kWidthCode7; }
inline uint32_t literalCost(unsigned s, uint8_t x) {
  if (s == 0) return kLiteralCode8;
  return uint8_t(x - 4 * (s - 1)) < 128 ? kLiteralCode7 : kInf;
}

}  // namespace

LiteralPlan planLiteralModes(const std::vector<uint8_t>& literals) {
  const size_t total = literals.size();
  LiteralPlan plan;
  plan.modes.resize(total);
  plan.change.assign(total, 0);
  std::vector<uint64_t> switchedLow, switchedHigh;  // per literal, bit per state
  std::vector<uint8_t> bestBefore;
  int carried = -1;
  for (size_t start = 0; start < total; start += kSegment) {
    const size_t len = total - start < kSegment ? total - start : kSegment;
    switchedLow.assign(len, 0);
    switchedHigh.assign(len, 0);
    bestBefore.assign(len, 0);
    uint32_t cost[kStates];
    for (unsigned s = 0; s < kStates; ++s) {
      const bool stay = int(s) == carried;
      cost[s] = stay ? 0 : entryCost(s);
      if (!stay) (s < 64 ? switchedLow[0] |= uint64_t(1) << s : switchedHigh[0] |= 1);
    }
    for (size_t k = 0; k < len; ++k) {
      const uint8_t x = literals[start + k];
      if (k > 0) {
        unsigned bi = 0;
        for (unsigned s = 1; s < kStates; ++s)
          if (cost[s] < cost[bi]) bi = s;
        const uint32_t best = cost[bi];
        bestBefore[k] = uint8_t(bi);
        uint64_t low = 0, high = 0;
        for (unsigned s = 0; s < kStates; ++s) {
          const uint32_t via = best + entryCost(s);
          if (via < cost[s]) {
            cost[s] = via;
            if (s < 64) low |= uint64_t(1) << s;
            else high = 1;
          }
        }
        switchedLow[k] = low;
        switchedHigh[k] = high;
      }
      for (unsigned s = 0; s < kStates; ++s) {
        const uint32_t c = cost[s] + literalCost(s, x);
        cost[s] = c < kInf ? c : kInf;
      }
    }
    unsigned s = 0;
    for (unsigned t = 1; t < kStates; ++t)
      if (cost[t] < cost[s]) s = t;
    carried = int(s);
    for (size_t k = len; k-- > 0;) {
      plan.modes[start + k] = modeOf(s);
      const bool switched = s < 64 ? (switchedLow[k] >> s) & 1 : switchedHigh[k] & 1;
      if (switched) {
        plan.change[start + k] = 1;
        s = bestBefore[k];
      }
    }
  }
  return plan;
}

}  // namespace jc
}  // namespace qv
