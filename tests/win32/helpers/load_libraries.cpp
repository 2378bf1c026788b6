// Loads system libraries the way the stub does, for the planting test: run from a
// folder that holds a planted version.dll, it writes into the result file (second
// argument) the version summary of the file named by the first, then restricts the
// search to the system folder and writes where a load of "version.dll" by bare name
// comes from.
#include <windows.h>

#include <cstdio>

#include "win32/file_version_summary_win32.h"
#include "win32/system_library_win32.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::FILE* result = std::fopen(argv[2], "w");
  if (!result) return 2;
  std::fprintf(result, "summary=%s\n", qv::getFileVersionSummary(argv[1]).c_str());
  qv::restrictLibrarySearchToSystemFolder();
  HMODULE bare = LoadLibraryA("version.dll");
  char path[MAX_PATH] = "";
  if (bare) GetModuleFileNameA(bare, path, MAX_PATH);
  std::fprintf(result, "bare=%s\n", path);
  std::fclose(result);
  return 0;
}
