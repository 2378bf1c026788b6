#include "package/package_directory.h"

#include <cstring>

#include "runtime/bytes.h"

namespace qv {

bool parsePackageDirectory(const uint8_t* bytes, size_t n, std::vector<PackageEntry>& entries) {
  entries.clear();
  if (n < 4) return false;
  int32_t count = int32_t(loadLittleEndian32(bytes));
  // Every entry takes kMinEntrySize bytes at least, which bounds the count before
  // anything is reserved for it.
  if (count < 0 || size_t(count) > (n - 4) / kMinEntrySize) return false;
  std::vector<PackageEntry> found(static_cast<size_t>(count));
  size_t pos = 4;
  for (PackageEntry& e : found) {
    const void* nul = std::memchr(bytes + pos, 0, n - pos);
    if (!nul) return false;
    size_t nameLength = size_t(static_cast<const uint8_t*>(nul) - (bytes + pos));
    e.name.assign(reinterpret_cast<const char*>(bytes + pos), nameLength);
    pos += nameLength + 1;
    if (n - pos < 8 * 4) return false;
    uint32_t f[8];
    for (auto& v : f) {
      v = loadLittleEndian32(bytes + pos);
      pos += 4;
    }
    e.kind = int32_t(f[0]);
    e.size = int32_t(f[1]);
    e.storedSize = int32_t(f[2]);
    e.offset = int32_t(f[3]);
    e.creation = FileTime{f[4], f[5]};
    e.lastWrite = FileTime{f[6], f[7]};
    if (e.size < 0 || e.storedSize < 0) return false;
  }
  entries.swap(found);
  return true;
}

std::vector<uint8_t> serializePackageDirectory(const std::vector<PackageEntry>& entries) {
  size_t n = 4;
  for (const auto& e : entries) n += e.name.size() + kMinEntrySize;
  std::vector<uint8_t> out;
  out.reserve(n);
  appendLittleEndian32(out, uint32_t(entries.size()));
  for (const auto& e : entries) {
    out.insert(out.end(), e.name.begin(), e.name.end());
    out.push_back(0);
    for (uint32_t v : {uint32_t(e.kind), uint32_t(e.size), uint32_t(e.storedSize), uint32_t(e.offset),
                       e.creation.low, e.creation.high, e.lastWrite.low, e.lastWrite.high})
      appendLittleEndian32(out, v);
  }
  return out;
}

}  // namespace qv
