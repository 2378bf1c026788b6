#include "builder/package_writer.h"

#include <cstdint>

#include "package/extract_names.h"
#include "package/package_directory.h"
#include "runtime/bytes.h"
#include "runtime/paths.h"

namespace qv {
namespace {

// Pieces in which a raw entry is copied from its source file.
constexpr size_t kCopyPiece = 1 << 20;

}  // namespace

bool PackageWriter::fail(const std::string& message) {
  if (error_.empty()) error_ = message;
  return false;
}

bool PackageWriter::start(const std::string& path, File::Mode mode) {
  entries_.clear();
  error_.clear();
  path_ = path;
  if (!file_.open(path, mode)) return fail(path + ": cannot be opened for writing");
  int64_t size = mode == File::Mode::Replace ? 0 : file_.size();
  if (size < 0 || size > INT32_MAX || !file_.seek(size)) return fail(path + ": cannot be appended to");
  dataStart_ = position_ = size;
  return true;
}

bool PackageWriter::create(const std::string& path) { return start(path, File::Mode::Replace); }

bool PackageWriter::appendTo(const std::string& path) { return start(path, File::Mode::ReadWriteExisting); }

bool PackageWriter::checkName(const std::string& name, bool folder) {
  bool wellFormed = isSafeEntryName(name) && name.find('/') == std::string::npos &&
                    name.find("\\\\") == std::string::npos && (name.back() == '\\') == folder;
  return wellFormed || fail(name + ": not a relative, backslash-separated entry name");
}

bool PackageWriter::reserveData(const std::string& name, size_t storedSize) {
  if (!file_.isOpen()) return fail(name + ": the package is not open for writing");
  if (storedSize > size_t(INT32_MAX) - size_t(position_))
    return fail(name + ": the package would reach 2 GiB, more than a package can hold");
  return true;
}

bool PackageWriter::writeData(const std::string& name, const uint8_t* data, size_t n) {
  if (file_.write(data, n) != n) return fail(path_ + ": cannot write the data of " + name);
  position_ += int64_t(n);
  return true;
}

bool PackageWriter::addFolder(const std::string& name, const FileTime& creation, const FileTime& lastWrite) {
  std::string folder = withTrailingBackslash(name);
  if (!checkName(folder, true) || !reserveData(folder, 0)) return false;
  PackageEntry e;
  e.name = folder;
  e.kind = kEntryKindFolder;
  e.offset = int32_t(position_);
  e.creation = timeFixed_ ? fixedTime_ : creation;
  e.lastWrite = timeFixed_ ? fixedTime_ : lastWrite;
  entries_.push_back(e);
  return true;
}

bool PackageWriter::addFileData(const std::string& name, const uint8_t* data, size_t n, const FileTime& creation,
                                const FileTime& lastWrite, bool storeRaw) {
  if (!checkName(name, false) || !reserveData(name, n)) return false;
  PackageEntry e;
  e.name = name;
  e.kind = kEntryKindFile;
  e.size = int32_t(n);
  e.offset = int32_t(position_);
  e.creation = timeFixed_ ? fixedTime_ : creation;
  e.lastWrite = timeFixed_ ? fixedTime_ : lastWrite;
  if (n > 0) {
    std::vector<uint8_t> block;
    if (!storeRaw && level_ > kPackLevelStore) block = packBlock(data, n, level_);
    // Stored size equal to size is what marks a raw entry, so a block must be
    // strictly smaller to be kept.
    bool packed = !block.empty() && block.size() < n;
    const uint8_t* bytes = packed ? block.data() : data;
    size_t stored = packed ? block.size() : n;
    if (!writeData(name, bytes, stored)) return false;
    e.storedSize = int32_t(stored);
  }
  entries_.push_back(e);
  return true;
}

bool PackageWriter::addFileFrom(const std::string& name, const std::string& sourcePath, bool storeRaw) {
  FileTime creation, lastWrite;
  File source;
  if (!source.open(sourcePath, File::Mode::Read) || !readFileTimes(sourcePath, creation, lastWrite))
    return fail(sourcePath + ": cannot be read");
  int64_t size = source.size();
  if (size < 0) return fail(sourcePath + ": cannot be read");
  if (size > INT32_MAX) return fail(sourcePath + ": 2 GiB or larger, more than a package entry can hold");
  if (storeRaw || level_ == kPackLevelStore) {
    if (!checkName(name, false) || !reserveData(name, size_t(size))) return false;
    PackageEntry e;
    e.name = name;
    e.size = e.storedSize = int32_t(size);
    e.offset = int32_t(position_);
    e.creation = timeFixed_ ? fixedTime_ : creation;
    e.lastWrite = timeFixed_ ? fixedTime_ : lastWrite;
    std::vector<uint8_t> piece(size_t(size) < kCopyPiece ? size_t(size) : kCopyPiece);
    for (int64_t left = size; left > 0;) {
      size_t n = left < int64_t(piece.size()) ? size_t(left) : piece.size();
      if (source.read(piece.data(), n) != n) return fail(sourcePath + ": cannot be read whole");
      if (!writeData(name, piece.data(), n)) return false;
      left -= int64_t(n);
    }
    entries_.push_back(e);
    return true;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (source.read(bytes.data(), bytes.size()) != bytes.size()) return fail(sourcePath + ": cannot be read whole");
  source.close();
  return addFileData(name, bytes.data(), bytes.size(), creation, lastWrite);
}

bool PackageWriter::finish() {
  if (!file_.isOpen()) return fail(path_ + ": the package is not open for writing");
  std::vector<uint8_t> directory = serializePackageDirectory(entries_);
  std::vector<uint8_t> block;
  if (level_ > kPackLevelStore) block = packBlock(directory.data(), directory.size(), level_);
  const std::vector<uint8_t>& stored = !block.empty() && block.size() < directory.size() ? block : directory;
  if (!reserveData("the package directory", stored.size() + kPackageTrailerSize)) return false;
  if (!writeData("the package directory", stored.data(), stored.size())) return false;
  std::vector<uint8_t> trailer;
  appendLittleEndian32(trailer, uint32_t(directory.size()));
  appendLittleEndian32(trailer, uint32_t(stored.size()));
  appendLittleEndian32(trailer, uint32_t(dataStart_));
  appendLittleEndian32(trailer, kPackageMagic);
  if (!writeData("the package trailer", trailer.data(), trailer.size())) return false;
  // Appending to a file that was longer before would leave its old end behind the trailer.
  if (!file_.truncateHere()) return fail(path_ + ": cannot be cut off after the trailer");
  file_.close();
  return true;
}

}  // namespace qv
