#include "run/command_line.h"

#include <cstdint>

#include "runtime/text.h"

namespace qv {

std::string skipProgramName(const std::string& commandLine) {
  size_t pos = 0;
  while (pos < commandLine.size() && isBlank(commandLine[pos])) ++pos;
  if (pos < commandLine.size() && commandLine[pos] == '"') {
    size_t close = commandLine.find('"', pos + 1);
    pos = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (pos < commandLine.size() && !isBlank(commandLine[pos])) ++pos;
  }
  while (pos < commandLine.size() && isBlank(commandLine[pos])) ++pos;
  return commandLine.substr(pos);
}

std::string nextParameter(const std::string& text, size_t& pos) {
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  if (pos >= text.size()) return std::string();
  if (text[pos] == '"') {
    size_t close = text.find('"', pos + 1);
    size_t end = close == std::string::npos ? text.size() : close;
    std::string parameter = text.substr(pos + 1, end - pos - 1);
    pos = close == std::string::npos ? text.size() : close + 1;
    return parameter;
  }
  size_t begin = pos;
  while (pos < text.size() && !isBlank(text[pos])) ++pos;
  return text.substr(begin, pos - begin);
}

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
