#include "run/command_line.h"

#include <cstdint>

#include "runtime/text.h"

namespace qv {

int8_t parseTaskSelector(const std::string& value) {
  // A 32-bit conversion's low 8 bits.
  return int8_t(uint8_t(readDecimal(value, false).wrapped() & 0xFF));
}

void scanCommandLine(const std::string& arguments, RunContext& context) {
  size_t pos = 0;
  for (;;) {
    std::string parameter = nextParameter(arguments, pos);
    if (parameter.empty()) break;
    if (parameter.size() < 2 || parameter[0] != '/') continue;
    std::string value = parameter.size() > 3 ? parameter.substr(3) : std::string();
    switch (upperCaseLetter(parameter[1])) {
      case 'Q': context.quiet = true; break;
      case 'P': context.installFolderOverride = value; break;
      case 'S': context.startMenuOverride = value; break;
      case 'R': context.taskSelector = parseTaskSelector(value); break;
      default: break;
    }
  }
}

}  // namespace qv
