#include "program_path.h"

#include <unistd.h>

#include <vector>

namespace qvpack {

std::string ownProgramPath() {
  std::vector<char> buffer(4096);
  ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || size_t(n) >= buffer.size()) return std::string();
  return std::string(buffer.data(), size_t(n));
}

}  // namespace qvpack
