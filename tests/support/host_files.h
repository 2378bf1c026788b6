// Files under the host's own names on a POSIX host (UTF-8, slashes), for the tests of
// names the file layer converts or cannot reach.
#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace qvtest {

// The host's spelling of a scratch path (ASCII in the stub's form) with a name added.
inline std::string hostPathOf(const std::string& ansiFolder, const std::string& utf8Name) {
  std::string p = ansiFolder;
  std::replace(p.begin(), p.end(), '\\', '/');
  return p + utf8Name;
}

inline bool makeHostFile(const std::string& hostPath, const std::string& text) {
  int fd = ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool whole = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
  return ::close(fd) == 0 && whole;
}

inline bool hostFileExists(const std::string& hostPath) {
  struct stat st;
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace qvtest
#endif
