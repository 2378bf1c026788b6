#include "install/user_tasks_line.h"

#include "runtime/text.h"

namespace qv {

uint32_t parseTaskNumber(std::string_view text) { return readDecimal(text, false).wrapped(); }

TaskLine::TaskLine(const std::string& text) {
  for (size_t start = 0;;) {
    const size_t bar = text.find('|', start);
    fields_.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
}

int16_t taskCountOf(int number) { return int16_t(uint16_t(uint32_t(number))); }

}  // namespace qv
