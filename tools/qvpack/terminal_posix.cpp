#include <unistd.h>

#include <algorithm>

#include "runtime/windows1252.h"
#include "terminal.h"

namespace qvpack {

bool isErrorTerminal() { return isatty(STDERR_FILENO) == 1; }

bool convertArgumentToAnsi(const std::string& argument, std::string& ansi) {
  return qv::convertUtf8ToWindows1252(argument, ansi);
}

std::string convertAnsiForConsole(const std::string& ansi) {
  std::string utf8;
  qv::convertWindows1252ToUtf8(ansi, utf8);  // an unassigned byte shows as U+FFFD
  return utf8;
}

std::string shownPath(const std::string& path) {
  std::string shown = convertAnsiForConsole(path);
  std::replace(shown.begin(), shown.end(), '\\', '/');
  return shown;
}

}  // namespace qvpack
