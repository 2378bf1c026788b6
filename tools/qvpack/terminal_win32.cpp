#include <windows.h>

#include "terminal.h"

namespace qvpack {

bool isErrorTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool convertArgumentToAnsi(const std::string& argument, std::string& ansi) {
  ansi = argument;  // the ANSI command line already
  return true;
}

std::string convertAnsiForConsole(const std::string& ansi) { return ansi; }

std::string shownPath(const std::string& path) { return path; }

}  // namespace qvpack
