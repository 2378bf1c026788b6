// Files and folders, behind one portable interface. Paths are 8-bit ANSI text
// (Windows-1252) with backslashes between folders, as everywhere in the stub; the
// POSIX implementation (used by the native build, qvpack and the native tests) maps
// them to slashes and to the UTF-8 names of the host, so a path holding a byte the
// code page leaves unassigned (or a NUL) names nothing there.
// Implementations: posix/file_posix.cpp, win32/file_win32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// A Windows FILETIME: 100-nanosecond units since 1601-01-01 UTC, in two halves.
struct FileTime {
  uint32_t low = 0;
  uint32_t high = 0;
  uint64_t value() const { return (uint64_t(high) << 32) | low; }
  static FileTime fromValue(uint64_t v) { return FileTime{uint32_t(v), uint32_t(v >> 32)}; }
  bool operator==(const FileTime& o) const { return low == o.low && high == o.high; }
};

class File {
 public:
  enum class Mode {
    Read,               // read only; others may read (and write)
    ReadWriteExisting,  // read and write, only when the file exists; others may only read
    ReadWriteAlways,    // read and write, created when missing, never emptied; others may only read
    Replace,            // write, created or emptied; others may only read
  };

  File() = default;
  ~File() { close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
  File& operator=(File&& other) noexcept;

  bool open(const std::string& path, Mode mode);
  void close();
  bool isOpen() const { return handle_ != kNone; }

  int64_t size() const;                 // -1 when not open
  bool seek(int64_t position);          // from the start of the file
  size_t read(void* buffer, size_t n);  // bytes read; fewer at the end of the file
  size_t write(const void* data, size_t n);
  bool truncateHere();                  // cut the file off at the current position
  // Sets creation and last-write time. Data written before reaches the file first,
  // so these are its final times.
  bool setTimes(const FileTime& creation, const FileTime& lastWrite);

 private:
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;
};

struct FolderItem {
  std::string name;  // without folder part
  bool isFolder = false;
  bool isLink = false;  // a symbolic link or other reparse point: remove it, never enter it
  // False when the host's name has no ANSI form (on a POSIX system, a name holding a
  // character outside Windows-1252, or bytes that are no UTF-8). `name` is then only
  // a stand-in with "?" for what could not be converted: never append it to a path,
  // since it may name another item or none.
  bool nameConverts = true;
  std::string hostName;  // the name as the host spells it (UTF-8 on POSIX systems), for messages
};

// Member by member, so that sorting trades the strings' buffers.
inline void swap(FolderItem& a, FolderItem& b) {
  a.name.swap(b.name);
  std::swap(a.isFolder, b.isFolder);
  std::swap(a.isLink, b.isLink);
  std::swap(a.nameConverts, b.nameConverts);
  a.hostName.swap(b.hostName);
}

bool fileExists(const std::string& path);    // a file, not a folder
bool folderExists(const std::string& path);  // a folder (a trailing backslash is fine)
int64_t fileSize(const std::string& path);   // -1 when no such file (or a folder)
bool createFolder(const std::string& path);  // one level
bool removeFile(const std::string& path);
bool removeFolder(const std::string& path);  // an empty folder
bool readFileTimes(const std::string& path, FileTime& creation, FileTime& lastWrite);
// Items of a folder in name order, without "." and "..". False when it cannot be read.
bool listFolder(const std::string& path, std::vector<FolderItem>& items);
// Waits, for a file operation to be tried again: a process that has just ended may
// still hold its files and working folder for a moment.
void pauseMilliseconds(unsigned milliseconds);
// Whole-file helpers for tools and tests.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
bool writeWholeFile(const std::string& path, const void* data, size_t n);
// Copies a file in pieces, replacing the destination; false when it cannot be read or
// written whole.
bool copyFileReplacing(const std::string& source, const std::string& destination);

}  // namespace qv
