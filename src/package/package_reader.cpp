#include "package/package_reader.h"

#include <cstdint>

#include "codec/jc_block.h"
#include "package/package_buffer.h"
#include "package/package_directory.h"
#include "package/signed_executable.h"
#include "runtime/bytes.h"

namespace qv {
namespace {

PackageOpenError loadDirectory(File& file, int64_t fileSize, std::vector<PackageEntry>& entries,
                               int32_t& directorySize, int32_t& storedSize, int32_t& dataStart) {
  if (fileSize < int64_t(kPackageTrailerSize)) return PackageOpenError::TooShort;
  if (fileSize > INT32_MAX) return PackageOpenError::TooLarge;
  uint8_t trailer[kPackageTrailerSize];
  if (!file.seek(fileSize - int64_t(kPackageTrailerSize)) || file.read(trailer, sizeof(trailer)) != sizeof(trailer))
    return PackageOpenError::ReadFailed;
  if (loadLittleEndian32(trailer + 12) != kPackageMagic) return PackageOpenError::NoMagic;
  directorySize = int32_t(loadLittleEndian32(trailer));
  storedSize = int32_t(loadLittleEndian32(trailer + 4));
  dataStart = int32_t(loadLittleEndian32(trailer + 8));

  // The directory lies between the data area and the trailer; the data area starts
  // inside the file, no later than the directory.
  int64_t beforeTrailer = fileSize - int64_t(kPackageTrailerSize);
  if (storedSize < 4 || storedSize > beforeTrailer) return PackageOpenError::TrailerOutOfRange;
  int64_t directoryStart = beforeTrailer - storedSize;
  if (dataStart < 0 || dataStart > directoryStart) return PackageOpenError::TrailerOutOfRange;
  if (directorySize < 4 || directorySize > kMaxDirectorySize) return PackageOpenError::DirectoryTooLarge;
  // Every entry brings a name and offsets of its own, so no real directory packs
  // to less than a thousandth; a claim beyond that is not worth an allocation.
  if (directorySize / 1024 > storedSize + 64) return PackageOpenError::DirectoryTooLarge;

  // Both buffers may fail to come (a 32-bit stub has little address space): that is a
  // package the run cannot read, reported like a damaged one, not the end of the process.
  ByteBuffer stored;
  if (!stored.allocate(size_t(storedSize))) return PackageOpenError::NoMemory;
  if (!file.seek(directoryStart) || file.read(stored.data(), stored.size()) != stored.size())
    return PackageOpenError::ReadFailed;

  if (storedSize == directorySize) {
    if (!parsePackageDirectory(stored.data(), stored.size(), entries)) return PackageOpenError::DirectoryMalformed;
    return PackageOpenError::None;
  }
  uint32_t claimed = 0;
  if (!readBlockUnpackedSize(stored.data(), stored.size(), claimed) || claimed != uint32_t(directorySize))
    return PackageOpenError::DirectoryDamaged;
  ByteBuffer directory;
  if (!directory.allocate(size_t(directorySize) + 8)) return PackageOpenError::NoMemory;
  size_t written = unpackBlock(stored.data(), stored.size(), directory.data(), directory.size());
  if (written != size_t(directorySize)) return PackageOpenError::DirectoryDamaged;
  stored.release();
  if (!parsePackageDirectory(directory.data(), size_t(directorySize), entries))
    return PackageOpenError::DirectoryMalformed;
  return PackageOpenError::None;
}

}  // namespace

const char* describePackageOpenError(PackageOpenError error) {
  switch (error) {
    case PackageOpenError::None: return "no error";
    case PackageOpenError::NoFile: return "no such file, or it is empty or a folder";
    case PackageOpenError::TooShort: return "too short to hold a package trailer";
    case PackageOpenError::TooLarge: return "2 GiB or larger, which no package can be";
    case PackageOpenError::ReadFailed: return "cannot be read";
    case PackageOpenError::NoMagic: return "holds no package (no \"Pack\" trailer)";
    case PackageOpenError::TrailerOutOfRange: return "damaged: the trailer points outside the file";
    case PackageOpenError::DirectoryTooLarge: return "damaged: the directory size is impossible";
    case PackageOpenError::DirectoryDamaged: return "damaged: the package directory does not unpack";
    case PackageOpenError::DirectoryMalformed: return "damaged: the package directory runs past its end";
    case PackageOpenError::NoMemory: return "too large to read in the memory available";
  }
  return "unknown error";
}

bool openPackage(Package& package, const std::string& path) {
  package.entries_.clear();
  package.totalSize_ = 0;
  package.loaded_ = false;
  package.path_ = path;
  package.directorySize_ = package.directoryStoredSize_ = package.dataStart_ = 0;
  package.dataEnd_ = 0;

  int64_t size = fileSize(path);
  File file;
  if (size < 1 || !file.open(path, File::Mode::Read)) {
    package.error_ = PackageOpenError::NoFile;
    return false;
  }
  // A signed setup executable: the package ends where the signature begins.
  size = findPackageEnd(file, size);
  std::vector<PackageEntry> entries;
  int32_t directorySize = 0, storedSize = 0, dataStart = 0;
  package.error_ = loadDirectory(file, size, entries, directorySize, storedSize, dataStart);
  if (package.error_ != PackageOpenError::None) return false;

  int64_t total = 0;
  for (const auto& e : entries) total += e.size;
  package.entries_.swap(entries);
  package.totalSize_ = total;
  package.directorySize_ = directorySize;
  package.directoryStoredSize_ = storedSize;
  package.dataStart_ = dataStart;
  package.dataEnd_ = size - int64_t(kPackageTrailerSize) - storedSize;
  package.loaded_ = true;
  return true;
}

}  // namespace qv
