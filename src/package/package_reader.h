// Packages: files and folders stored raw or as JC blocks, followed by a package
// directory and a 16-byte trailer. A package is read from its end, so it can sit at
// the end of any file (the setup stub carries one appended to its executable).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/file.h"

namespace qv {

constexpr int32_t kEntryKindFolder = 0;
constexpr int32_t kEntryKindFile = 1;

constexpr size_t kPackageTrailerSize = 16;
constexpr uint32_t kPackageMagic = 0x6B636150;  // "Pack" read as a little-endian integer
// A directory entry holds its name's NUL and eight 32-bit fields at least.
constexpr size_t kMinEntrySize = 1 + 8 * 4;
// No directory that unpacks to more than this is believed: it guards the one
// allocation whose size comes straight from the file.
// 64 MiB is a million and more entries; the bound keeps the directory and its entry
// list within what a 32-bit process can hold.
constexpr int32_t kMaxDirectorySize = 64 << 20;

struct PackageEntry {
  std::string name;        // relative, folders separated by "\"; a folder's ends with "\"
  int32_t kind = kEntryKindFile;
  int32_t size = 0;        // unpacked bytes (0 for folders and empty files)
  int32_t storedSize = 0;  // bytes in the data area; equal to size when stored raw
  int32_t offset = 0;      // absolute position of the data; extraction reads in order instead
  FileTime creation;
  FileTime lastWrite;

  bool isFile() const { return kind == kEntryKindFile; }
  bool isFolder() const { return kind == kEntryKindFolder; }
  bool isStoredRaw() const { return storedSize == size; }
  // Only non-empty file entries own bytes of the data area; every other entry is
  // skipped when the data area is read in directory order.
  bool consumesData() const { return isFile() && size != 0; }
};

enum class PackageOpenError {
  None,
  NoFile,             // missing, a folder, or empty
  TooShort,           // fewer bytes than a trailer
  TooLarge,           // 2 GiB or more: positions in a package are 32-bit
  ReadFailed,
  NoMagic,            // the last four bytes are not "Pack"
  TrailerOutOfRange,  // directory or data start outside the file
  DirectoryTooLarge,  // an unpacked size no directory can have
  DirectoryDamaged,   // the directory block does not unpack
  DirectoryMalformed, // entry count, a name or a field runs past the directory
  NoMemory,           // the directory's buffers cannot be had
};

const char* describePackageOpenError(PackageOpenError error);

// The state of one package: filled by openPackage, read by extraction (which opens the
// file again by its path; nothing stays open in between).
class Package {
 public:
  const std::string& path() const { return path_; }
  // True when the last openPackage loaded the directory.
  bool isLoaded() const { return loaded_; }
  PackageOpenError lastError() const { return error_; }
  const std::vector<PackageEntry>& entries() const { return entries_; }
  int32_t directorySize() const { return directorySize_; }
  int32_t directoryStoredSize() const { return directoryStoredSize_; }
  int32_t dataStart() const { return dataStart_; }
  // Where the directory begins: no entry data lies at or beyond this position.
  int64_t dataEnd() const { return dataEnd_; }
  int64_t totalSize() const { return totalSize_; }

 private:
  friend bool openPackage(Package& package, const std::string& path);

  std::string path_;
  bool loaded_ = false;
  PackageOpenError error_ = PackageOpenError::None;
  std::vector<PackageEntry> entries_;
  int32_t directorySize_ = 0;
  int32_t directoryStoredSize_ = 0;
  int32_t dataStart_ = 0;
  int64_t dataEnd_ = 0;
  int64_t totalSize_ = 0;
};

// Replaces the whole state with the package at path and loads its directory. False
// when the file is no valid package; the entry list is then empty.
bool openPackage(Package& package, const std::string& path);

}  // namespace qv
