#include <unistd.h>

#include "terminal.h"

namespace qvpack {

bool isErrorTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace qvpack
