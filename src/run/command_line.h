// The stub's command line: the switches /Q, /P, /S and /R.
#pragma once

#include <string>

#include "run/run_context.h"

namespace qv {

// The text after the program name of a full command line (as the system hands it
// to a program): a program name in double quotes runs to the closing quote, any
// other to the first blank or tab; the blanks after it are skipped as well.
std::string skipProgramName(const std::string& commandLine);

// Splits the next parameter off text, starting at pos and leaving pos behind it.
// Blanks and tabs before it are skipped; one beginning with a double quote runs to
// the next double quote (or the end) and is taken without the quotes, any other
// runs to the next blank or tab. An empty result means the scan ends.
std::string nextParameter(const std::string& text, size_t& pos);

// The value of /R: leading blanks and tabs skipped, an optional sign, the digits up
// to the first non-digit (none give 0), kept as a signed 8-bit value.
int8_t parseTaskSelector(const std::string& value);

// Applies every switch of the arguments (the command line after the program name)
// to the context, in order, until the first empty parameter. A parameter's first
// two characters, upper-cased, choose the switch; its value begins at the fourth.
// Other parameters are ignored.
void scanCommandLine(const std::string& arguments, RunContext& context);

}  // namespace qv
