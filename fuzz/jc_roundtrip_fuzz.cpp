// Arbitrary input packed at the level its first byte picks must unpack to itself,
// into a buffer of exactly its size.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "codec/jc_encode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int level = qv::kPackLevelFastest + data[0] % (qv::kPackLevelBest - qv::kPackLevelFastest + 1);
  const uint8_t* input = data + 1;
  const size_t n = size - 1;
  const std::vector<uint8_t> block = qv::packBlock(input, n, level);
  if (block.size() < qv::kBlockHeaderSize + 4 || (block.size() - qv::kBlockHeaderSize) % 4 != 0) std::abort();
  std::unique_ptr<uint8_t[]> out(new uint8_t[n ? n : 1]);
  const size_t written = qv::unpackBlock(block.data(), block.size(), out.get(), n);
  if (written != n || (n && std::memcmp(out.get(), input, n) != 0)) std::abort();
  return 0;
}
