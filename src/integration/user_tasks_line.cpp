#include "integration/user_tasks_line.h"

#include "runtime/text_fields.h"

namespace qv {

uint32_t parseTaskNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t value = 0;  // unsigned, so long digit runs wrap instead of overflowing
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + uint32_t(text[i] - '0');
  return negative ? 0u - value : value;
}

std::string TaskLine::field(size_t number) const { return std::string(fieldOf(text_, '|', number)); }

int16_t taskCountOf(int number) { return int16_t(uint16_t(uint32_t(number))); }

}  // namespace qv
