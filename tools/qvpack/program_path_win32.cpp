#include "program_path.h"

#include <windows.h>

namespace qvpack {

std::string ownProgramPath() {
  char path[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  return n > 0 && n < sizeof(path) ? std::string(path, n) : std::string();
}

}  // namespace qvpack
