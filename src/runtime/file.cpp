// The parts of runtime/file.h that need no platform code of their own.
#include "runtime/file.h"

#include <vector>

namespace qv {

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    handle_ = other.handle_;
    other.handle_ = kNone;
  }
  return *this;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  File f;
  if (!f.open(path, File::Mode::Read)) return false;
  int64_t n = f.size();
  if (n < 0) return false;
  bytes.resize(size_t(n));
  return f.read(bytes.data(), bytes.size()) == bytes.size();
}

bool writeWholeFile(const std::string& path, const void* data, size_t n) {
  File f;
  return f.open(path, File::Mode::Replace) && f.write(data, n) == n;
}

// Copies in pieces, so a large file needs no buffer of its size; a short write
// leaves a file that is reported as not placed.
bool copyFileReplacing(const std::string& source, const std::string& destination) {
  File in, out;
  if (!in.open(source, File::Mode::Read) || !out.open(destination, File::Mode::Replace)) return false;
  std::string buffer(64 * 1024, '\0');
  for (;;) {
    size_t got = in.read(&buffer[0], buffer.size());
    if (got == 0) break;
    if (out.write(buffer.data(), got) != got) return false;
  }
  return true;
}


}  // namespace qv
