#include "install/user_tasks_line.h"

#include "runtime/text.h"

namespace qv {

uint32_t parseTaskNumber(std::string_view text) { return readDecimal(text, false).wrapped(); }

std::string TaskLine::field(size_t number) const { return std::string(fieldOf(text_, '|', number)); }

int16_t taskCountOf(int number) { return int16_t(uint16_t(uint32_t(number))); }

}  // namespace qv
