// The parts of runtime/file.h that need no platform code of their own.
#include "runtime/file.h"

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

}  // namespace qv
