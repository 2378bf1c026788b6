// A byte buffer whose allocation can fail without ending the process: entry sizes
// come from the package file, and a damaged one may ask for gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace qv {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ~ByteBuffer() { release(); }
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  // n zero bytes; false, and empty, when there is not enough memory. A buffer that
  // already holds n bytes or more is cleared and used again: fresh memory costs a
  // page fault per page, which dominates extraction where faults are slow (Wine, a
  // virtual machine). (calloc: large new buffers come as zero pages from the system.)
  bool allocate(size_t n) {
    if (bytes_ && capacity_ >= n) {
      std::memset(bytes_, 0, n);
      size_ = n;
      return true;
    }
    release();
    bytes_ = static_cast<uint8_t*>(std::calloc(n ? n : 1, 1));
    if (!bytes_) return false;
    size_ = capacity_ = n;
    return true;
  }
  void release() {
    std::free(bytes_);
    bytes_ = nullptr;
    size_ = capacity_ = 0;
  }
  uint8_t* data() { return bytes_; }
  const uint8_t* data() const { return bytes_; }
  size_t size() const { return size_; }

 private:
  uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace qv
