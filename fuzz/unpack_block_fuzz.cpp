// Arbitrary bytes as a JC block of that stored length. The block is copied into a
// buffer of exactly its size and decoded into one of exactly the header's unpacked
// size, so any read past the block or write past the output is caught.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "codec/jc_encode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<uint8_t[]> block(new uint8_t[size ? size : 1]);
  if (size) std::memcpy(block.get(), data, size);
  uint32_t unpacked = 0;
  if (!qv::readBlockUnpackedSize(block.get(), size, unpacked)) {
    uint8_t out[16];
    if (qv::unpackBlock(block.get(), size, out, sizeof(out)) != 0) std::abort();
    return 0;
  }
  // Large sizes only check that a small buffer is refused.
  if (unpacked > (1u << 22)) {
    uint8_t out[64];
    if (qv::unpackBlock(block.get(), size, out, sizeof(out)) != 0) std::abort();
    return 0;
  }
  std::unique_ptr<uint8_t[]> out(new uint8_t[unpacked ? unpacked : 1]);
  const size_t written = qv::unpackBlock(block.get(), size, out.get(), unpacked);
  if (written > unpacked) std::abort();
  uint32_t checksum;
  std::memcpy(&checksum, block.get() + 6, 4);
  if (written && checksum && qv::blockChecksum(out.get(), unpacked) != checksum) std::abort();
  // The same block decodes the same way into a larger buffer.
  if (unpacked <= 4096) {
    std::unique_ptr<uint8_t[]> wide(new uint8_t[unpacked + 8]);
    if (qv::unpackBlock(block.get(), size, wide.get(), unpacked + 8) != written) std::abort();
    if (std::memcmp(wide.get(), out.get(), unpacked) != 0) std::abort();
  }
  return 0;
}
