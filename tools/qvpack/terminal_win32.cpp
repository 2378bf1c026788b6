#include <windows.h>

#include "terminal.h"

namespace qvpack {

bool isErrorTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace qvpack
