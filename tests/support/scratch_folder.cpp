#include "support/scratch_folder.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/file.h"
#include "runtime/folder_removal.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qvtest {

ScratchFolder::ScratchFolder() {
#ifdef _WIN32
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof(temp), temp);
  static unsigned counter = 0;
  for (;;) {
    char name[64];
    std::snprintf(name, sizeof(name), "qvtest-%lu-%u\\", GetCurrentProcessId(), ++counter);
    path_ = std::string(temp) + name;
    if (qv::createFolder(path_)) break;
  }
#else
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/qvtest-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) std::abort();
  path_ = std::string(buf.data()) + "\\";
#endif
}

ScratchFolder::~ScratchFolder() { removeTree(path_); }

void removeTree(const std::string& folder) { qv::removeFolderTree(folder); }

}  // namespace qvtest
