// qvtask: a small GUI-subsystem program the guard, process and start tests run.
//
//   qvtask exit <code> [<marker file>]   writes the marker (its working folder and
//                                         command line), then exits with <code>
//   qvtask sleep <ms>                     sleeps, then exits 0
//   qvtask mutex <name> <ms>              holds the named mutex while it sleeps; writes
//                                         "<name>.held" into its working folder first
//   qvtask open <code> <document>         as a shell association's program: writes
//                                         <document>.opened, then exits with <code>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void writeText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

std::string currentFolder() {
  char folder[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(sizeof(folder), folder);
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 100;
  std::string mode = argv[1];
  if (mode == "exit") {
    if (argc > 3) writeText(argv[3], "folder=" + currentFolder() + "\nline=" + GetCommandLineA() + "\n");
    return int(std::strtoul(argv[2], nullptr, 0));
  }
  if (mode == "sleep") {
    Sleep(DWORD(std::strtoul(argv[2], nullptr, 0)));
    return 0;
  }
  if (mode == "mutex" && argc > 3) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, argv[2]);
    if (!mutex) return 101;
    writeText(currentFolder() + "\\" + argv[2] + ".held", "held");
    Sleep(DWORD(std::strtoul(argv[3], nullptr, 0)));
    CloseHandle(mutex);
    return 0;
  }
  if (mode == "open" && argc > 3) {
    writeText(std::string(argv[3]) + ".opened", std::string("opened in ") + currentFolder());
    return int(std::strtoul(argv[2], nullptr, 0));
  }
  return 100;
}
