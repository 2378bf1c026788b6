#include "runtime/key_value_number.h"

#include <climits>
#include <cstdint>

namespace qv {

int parseKeyValueInteger(std::string_view text) {
  size_t i = 0;
  // The white space of the C locale; no locale is consulted.
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const int64_t limit = negative ? -int64_t(INT_MIN) : int64_t(INT_MAX);
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) value = limit;  // stays clamped for every further digit
  }
  return int(negative ? -value : value);
}

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
