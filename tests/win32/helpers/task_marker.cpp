// A program for the tests of started programs: after a pause (so that a caller that
// does not wait would miss it) it writes its command line into "ran.txt" in its
// current folder.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
  Sleep(400);
  FILE* f = std::fopen("ran.txt", "wb");
  if (!f) return 1;
  const char* line = GetCommandLineA();
  std::fwrite(line, 1, std::strlen(line), f);
  std::fclose(f);
  return 0;
}
