#include <windows.h>

#include "temporary_file.h"

namespace qvpack {

bool TemporaryFile::create() {
  if (!path_.empty()) return false;
  char folder[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof(folder), folder);
  if (n == 0 || n > MAX_PATH) return false;
  char name[MAX_PATH + 1];
  if (GetTempFileNameA(folder, "qvp", 0, name) == 0) return false;  // creates the file
  path_ = name;
  return true;
}

}  // namespace qvpack
