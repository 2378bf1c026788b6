// The stub's command line: the switches /Q, /P, /S and /R.
#pragma once

#include <string>

#include "run/run_context.h"
#include "runtime/text.h"

namespace qv {

// The value of /R: leading blanks and tabs skipped, an optional sign, the digits up
// to the first non-digit (none give 0), kept as a signed 8-bit value.
int8_t parseTaskSelector(const std::string& value);

// Applies every switch of the arguments (the command line after the program name)
// to the context, in order, until the first empty parameter. A parameter's first
// two characters, upper-cased, choose the switch; its value begins at the fourth.
// Other parameters are ignored.
void scanCommandLine(const std::string& arguments, RunContext& context);

}  // namespace qv
