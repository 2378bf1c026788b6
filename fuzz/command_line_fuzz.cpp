// Arbitrary text as the stub's command line, program name first: the scan ends,
// and every value it takes is a piece of the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "run/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  std::string arguments = qv::skipProgramName(line);
  if (arguments.size() > line.size() || line.compare(line.size() - arguments.size(), arguments.size(), arguments) != 0)
    std::abort();

  size_t pos = 0, parameters = 0;
  for (;;) {
    size_t before = pos;
    std::string parameter = qv::nextParameter(arguments, pos);
    if (pos > arguments.size()) std::abort();
    if (parameter.empty()) break;
    if (pos <= before || arguments.find(parameter, before) == std::string::npos) std::abort();
    if (++parameters > arguments.size()) std::abort();
  }

  qv::RunContext context;
  qv::scanCommandLine(arguments, context);
  if (!context.installFolderOverride.empty() && arguments.find(context.installFolderOverride) == std::string::npos)
    std::abort();
  if (!context.startMenuOverride.empty() && arguments.find(context.startMenuOverride) == std::string::npos)
    std::abort();
  return 0;
}
