#include <stdlib.h>
#include <unistd.h>

#include <vector>

#include "runtime/windows1252.h"
#include "temporary_file.h"

namespace qvpack {

bool TemporaryFile::create() {
  if (!path_.empty()) return false;
  const char* folder = ::getenv("TMPDIR");
  std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/qvpack-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  ::close(fd);
  if (!qv::convertUtf8ToWindows1252(name.data(), path_)) {
    ::unlink(name.data());
    path_.clear();
    return false;
  }
  return true;
}

}  // namespace qvpack
