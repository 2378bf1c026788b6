// Choice of literal width and base over the sequence of literal codes: 8-bit
// literals, or 7-bit ones added to a base, where all literals of a stretch lie in
// base..base+127 (modulo 256). Each change costs a literal-width code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {
namespace jc {

struct LiteralMode {
  uint8_t width;  // 7 or 8
  uint8_t base;
};

struct LiteralPlan {
  std::vector<LiteralMode> modes;  // per literal
  std::vector<uint8_t> change;     // 1 where a literal-width code goes before the literal
};

LiteralPlan planLiteralModes(const std::vector<uint8_t>& literals);

}  // namespace jc
}  // namespace qv
