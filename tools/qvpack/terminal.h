// qvpack's side of the console: whether standard error is a terminal (progress is
// shown only there), and text between the console and the 8-bit ANSI (Windows-1252)
// of paths and entry names. A Windows console takes ANSI as it is; on POSIX systems
// arguments, file names and output are UTF-8.
#pragma once

#include <string>

namespace qvpack {

bool isErrorTerminal();

// A command-line argument as ANSI text; false when it has no Windows-1252 form.
bool convertArgumentToAnsi(const std::string& argument, std::string& ansi);

// ANSI text (an entry name, a message holding one) as the console shows it.
std::string convertAnsiForConsole(const std::string& ansi);

// A path, or a message holding paths, as the user writes it: as console text, with
// the file layer's backslashes as slashes on POSIX systems.
std::string shownPath(const std::string& path);

}  // namespace qvpack
