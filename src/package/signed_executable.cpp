#include "package/signed_executable.h"

#include "package/package_reader.h"
#include "runtime/bytes.h"

namespace qv {
namespace {

uint16_t loadLittleEndian16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

bool readAt(File& file, int64_t position, uint8_t* buffer, size_t n) {
  return position >= 0 && file.seek(position) && file.read(buffer, n) == n;
}

bool holdsMagic(const uint8_t* trailerEnd) { return loadLittleEndian32(trailerEnd - 4) == kPackageMagic; }

// The file offset where the certificate table begins, or 0 when the file is no PE
// whose security directory ends the file.
int64_t certificateTableStart(File& file, int64_t fileSize) {
  uint8_t dos[64];
  if (fileSize < int64_t(sizeof(dos)) || !readAt(file, 0, dos, sizeof(dos)) || dos[0] != 'M' || dos[1] != 'Z')
    return 0;
  const int64_t header = loadLittleEndian32(dos + 0x3C);
  // The signature, the file header (20 bytes) and the optional header up to and
  // including the fifth data directory of a 64-bit image (112 + 5 * 8 bytes).
  uint8_t pe[4 + 20 + 152];
  if (header < int64_t(sizeof(dos)) || header > fileSize - int64_t(sizeof(pe)) || !readAt(file, header, pe, sizeof(pe)))
    return 0;
  if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0) return 0;
  const size_t optionalSize = loadLittleEndian16(pe + 4 + 16);
  const uint8_t* optional = pe + 24;
  size_t countAt = 0, directoriesAt = 0;
  switch (loadLittleEndian16(optional)) {
    case 0x10B: countAt = 92, directoriesAt = 96; break;    // PE32
    case 0x20B: countAt = 108, directoriesAt = 112; break;  // PE32+
    default: return 0;
  }
  const size_t security = directoriesAt + 4 * 8;  // the fifth directory
  if (optionalSize < security + 8 || loadLittleEndian32(optional + countAt) < 5) return 0;
  const int64_t start = loadLittleEndian32(optional + security);
  const int64_t size = loadLittleEndian32(optional + security + 4);
  return size > 0 && start > 0 && start + size == fileSize ? start : 0;
}

}  // namespace

int64_t findPackageEnd(File& file, int64_t fileSize) {
  uint8_t tail[kPackageTrailerSize + 7];
  if (fileSize < int64_t(kPackageTrailerSize)) return fileSize;
  if (readAt(file, fileSize - int64_t(kPackageTrailerSize), tail, kPackageTrailerSize) &&
      holdsMagic(tail + kPackageTrailerSize))
    return fileSize;
  const int64_t start = certificateTableStart(file, fileSize);
  if (start < int64_t(sizeof(tail)) || !readAt(file, start - int64_t(sizeof(tail)), tail, sizeof(tail)))
    return fileSize;
  const uint8_t* end = tail + sizeof(tail);
  for (int padding = 0; padding <= 7; ++padding) {
    if (holdsMagic(end - padding)) return start - padding;
    if (end[-padding - 1] != 0) break;  // only zero bytes pad
  }
  return fileSize;
}

}  // namespace qv
