// POSIX implementation of runtime/file.h for the native build.
#include "runtime/file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <cstring>

#include "runtime/windows1252.h"

namespace qv {
namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr uint64_t kEpochDelta = 11644473600ULL;

// The host's spelling of an ANSI path: slashes, UTF-8. False when no host item can
// have that name (an unassigned byte, or a NUL that would cut the path short).
bool convertToHostPath(const std::string& path, std::string& host) {
  if (path.find('\0') != std::string::npos || !convertWindows1252ToUtf8(path, host)) return false;
  std::replace(host.begin(), host.end(), '\\', '/');
  return true;
}

bool statPath(const std::string& path, struct stat& st) {
  std::string host;
  return convertToHostPath(path, host) && ::stat(host.c_str(), &st) == 0;
}

// A host name as a folder item: its ANSI form, or a stand-in when it has none.
FolderItem describeHostItem(const std::string& folder, const char* hostName) {
  FolderItem item;
  item.hostName = hostName;
  item.nameConverts = convertUtf8ToWindows1252(item.hostName, item.name);
  std::string host = folder + item.hostName;
  struct stat st;
  item.isFolder = ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  item.isLink = ::lstat(host.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  return item;
}

FileTime toFileTime(const timespec& ts) {
  uint64_t v = (uint64_t(ts.tv_sec) + kEpochDelta) * 10000000ULL + uint64_t(ts.tv_nsec) / 100;
  return FileTime::fromValue(v);
}

timespec toTimespec(const FileTime& t) {
  uint64_t v = t.value();
  timespec ts{};
  uint64_t secs = v / 10000000ULL;
  ts.tv_sec = secs >= kEpochDelta ? time_t(secs - kEpochDelta) : 0;
  ts.tv_nsec = long(v % 10000000ULL) * 100;
  return ts;
}

}  // namespace

bool File::open(const std::string& path, Mode mode) {
  close();
  int flags = 0;
  switch (mode) {
    case Mode::Read: flags = O_RDONLY; break;
    case Mode::ReadWriteExisting: flags = O_RDWR; break;
    case Mode::ReadWriteAlways: flags = O_RDWR | O_CREAT; break;
    case Mode::Replace: flags = O_WRONLY | O_CREAT | O_TRUNC; break;
  }
  std::string p;
  if (!convertToHostPath(path, p)) return false;
  struct stat st;
  if (::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
  int fd = ::open(p.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  handle_ = fd;
  return true;
}

void File::close() {
  if (handle_ != kNone) ::close(int(handle_));
  handle_ = kNone;
}

int64_t File::size() const {
  struct stat st;
  if (handle_ == kNone || ::fstat(int(handle_), &st) != 0) return -1;
  return st.st_size;
}

bool File::seek(int64_t position) {
  return handle_ != kNone && ::lseek(int(handle_), off_t(position), SEEK_SET) == off_t(position);
}

size_t File::read(void* buffer, size_t n) {
  if (handle_ == kNone) return 0;
  size_t done = 0;
  while (done < n) {
    ssize_t got = ::read(int(handle_), static_cast<char*>(buffer) + done, n - done);
    if (got <= 0) break;
    done += size_t(got);
  }
  return done;
}

size_t File::write(const void* data, size_t n) {
  if (handle_ == kNone) return 0;
  size_t done = 0;
  while (done < n) {
    ssize_t put = ::write(int(handle_), static_cast<const char*>(data) + done, n - done);
    if (put <= 0) break;
    done += size_t(put);
  }
  return done;
}

bool File::truncateHere() {
  if (handle_ == kNone) return false;
  off_t here = ::lseek(int(handle_), 0, SEEK_CUR);
  return here >= 0 && ::ftruncate(int(handle_), here) == 0;
}

bool File::setTimes(const FileTime&, const FileTime& lastWrite) {
  // POSIX has no settable creation time; the last-write time is what the host keeps.
  if (handle_ == kNone) return false;
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1] = toTimespec(lastWrite);
  return ::futimens(int(handle_), times) == 0;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return statPath(path, st) && !S_ISDIR(st.st_mode);
}

bool folderExists(const std::string& path) {
  struct stat st;
  return !path.empty() && statPath(path, st) && S_ISDIR(st.st_mode);
}

int64_t fileSize(const std::string& path) {
  struct stat st;
  if (!statPath(path, st) || S_ISDIR(st.st_mode)) return -1;
  return st.st_size;
}

bool createFolder(const std::string& path) {
  std::string host;
  return convertToHostPath(path, host) && ::mkdir(host.c_str(), 0755) == 0;
}

bool removeFile(const std::string& path) {
  std::string host;
  return convertToHostPath(path, host) && ::unlink(host.c_str()) == 0;
}

bool removeFolder(const std::string& path) {
  std::string host;
  return convertToHostPath(path, host) && ::rmdir(host.c_str()) == 0;
}

bool readFileTimes(const std::string& path, FileTime& creation, FileTime& lastWrite) {
  struct stat st;
  if (!statPath(path, st)) return false;
  lastWrite = toFileTime(st.st_mtim);
  creation = lastWrite;  // no portable birth time; the last-write time stands in
  return true;
}

bool listFolder(const std::string& path, std::vector<FolderItem>& items) {
  items.clear();
  std::string p;
  if (!convertToHostPath(path, p)) return false;
  DIR* dir = ::opendir(p.c_str());
  if (!dir) return false;
  if (p.empty() || p.back() != '/') p += '/';
  while (dirent* e = ::readdir(dir)) {
    if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, "..")) continue;
    items.push_back(describeHostItem(p, e->d_name));
  }
  ::closedir(dir);
  std::sort(items.begin(), items.end(),
            [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
  return true;
}

void pauseMilliseconds(unsigned milliseconds) {
  timespec wait{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
  while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

}  // namespace qv
