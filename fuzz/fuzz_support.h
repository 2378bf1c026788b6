// What the fuzz targets share: the check that stops a run on a finding, and the one
// scratch folder a fuzzing process writes into.
#pragma once

#include <cstdlib>
#include <string>

#include <stdlib.h>

#include "runtime/folder_removal.h"

namespace qvfuzz {

inline void check(bool ok) {
  if (!ok) std::abort();
}

// A folder of the process's own below TMPDIR (or /tmp), made on first use and
// removed with what it holds at exit. Given without a trailing separator: the stub's
// path form adds a backslash, a host path a slash. Never destroyed before the exit
// handler runs, which still needs it.
inline const std::string& scratchFolder(const char* name) {
  static const std::string* folder = [name] {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/qv-" + name + "-XXXXXX";
    if (!mkdtemp(&pattern[0])) std::abort();
    return new std::string(pattern);
  }();
  static const bool removedAtExit = std::atexit([] { qv::removeFolderTree(*folder); }) == 0;
  (void)removedAtExit;
  return *folder;
}

}  // namespace qvfuzz
