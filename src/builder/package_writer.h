// Writes a package, one entry at a time: entry data goes to the file as each entry
// is added, and only the directory is kept until finish() writes it and the trailer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/jc_encode.h"
#include "package/package_reader.h"
#include "runtime/file.h"

namespace qv {

// Level 0 stores every entry raw; 1 to 9 pack them, from fast to best.
constexpr int kPackLevelStore = 0;

class PackageWriter {
 public:
  // A package file of its own (data start 0); an existing file is replaced.
  bool create(const std::string& path);
  // A package appended to an existing file, an executable for instance: the data
  // start is that file's size.
  bool appendTo(const std::string& path);
  void setLevel(int level) { level_ = level; }
  // Every entry added from now on gets this time as its creation and last-write time,
  // whatever its source's times: the same bytes from any checkout.
  void setFixedTime(const FileTime& time) {
    fixedTime_ = time;
    timeFixed_ = true;
  }

  // A folder entry; a backslash is appended to the name when missing.
  bool addFolder(const std::string& name, const FileTime& creation, const FileTime& lastWrite);
  // A file entry from bytes in memory: packed, or stored raw when the block would not
  // be smaller (or storeRaw asks for it). Empty files take no data.
  bool addFileData(const std::string& name, const uint8_t* data, size_t n, const FileTime& creation,
                   const FileTime& lastWrite, bool storeRaw = false);
  // A file entry from a file, with its times. Stored raw it is copied piecewise, so
  // that a large package inside a package needs little memory.
  bool addFileFrom(const std::string& name, const std::string& sourcePath, bool storeRaw = false);
  // Writes the directory (raw or as a block, whichever is smaller) and the trailer.
  bool finish();
  // Leaves the file as it is without a directory (after a failure).
  void abandon() { file_.close(); }

  const std::vector<PackageEntry>& entries() const { return entries_; }
  // What went wrong, naming the entry or file concerned.
  const std::string& error() const { return error_; }
  // Records a failure that the caller found (the first one stays); returns false.
  bool fail(const std::string& message);

 private:
  bool start(const std::string& path, File::Mode mode);
  bool checkName(const std::string& name, bool folder);
  bool reserveData(const std::string& name, size_t storedSize);
  bool writeData(const std::string& name, const uint8_t* data, size_t n);

  File file_;
  std::string path_;
  int level_ = kPackLevelDefault;
  FileTime fixedTime_;
  bool timeFixed_ = false;
  int64_t dataStart_ = 0;
  int64_t position_ = 0;
  std::vector<PackageEntry> entries_;
  std::string error_;
};

}  // namespace qv
