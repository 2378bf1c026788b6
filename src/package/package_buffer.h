// A byte buffer whose allocation can fail without ending the process: entry sizes
// come from the package file, and a damaged one may ask for gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace qv {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ~ByteBuffer() { release(); }
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  // n zero bytes; false, and empty, when there is not enough memory. (calloc: large
  // buffers come as zero pages from the system, not written to first.)
  bool allocate(size_t n) {
    release();
    bytes_ = static_cast<uint8_t*>(std::calloc(n ? n : 1, 1));
    if (!bytes_) return false;
    size_ = n;
    return true;
  }
  void release() {
    std::free(bytes_);
    bytes_ = nullptr;
    size_ = 0;
  }
  uint8_t* data() { return bytes_; }
  const uint8_t* data() const { return bytes_; }
  size_t size() const { return size_; }

 private:
  uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
};

}  // namespace qv
