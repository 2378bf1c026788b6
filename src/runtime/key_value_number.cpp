#include "runtime/key_value_number.h"

#include "runtime/text.h"

#include <cstdint>

namespace qv {

int parseKeyValueInteger(std::string_view text) { return readDecimal(text, true).clamped(); }

std::string formatKeyValueInteger(int number) {
  char digits[12];
  size_t n = 0;
  // Through unsigned so that INT_MIN has a magnitude too.
  uint32_t magnitude = number < 0 ? 0u - uint32_t(number) : uint32_t(number);
  do {
    digits[n++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::string out;
  if (number < 0) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
  return out;
}

}  // namespace qv
