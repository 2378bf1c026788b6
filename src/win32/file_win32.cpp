// Win32 implementation of runtime/file.h: ANSI paths, the system's own sharing rules.
#include "runtime/file.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "runtime/text.h"

namespace qv {
namespace {

HANDLE asHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

std::string withoutTrailingSlash(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && (p.back() == '\\' || p.back() == '/') && p[p.size() - 2] != ':') p.pop_back();
  return p;
}

// Through the extended query, which the file sizes and times need anyway.
DWORD attributesOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  return GetFileAttributesExA(withoutTrailingSlash(path).c_str(), GetFileExInfoStandard, &d) ? d.dwFileAttributes
                                                                                           : INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool File::open(const std::string& path, Mode mode) {
  close();
  DWORD access = GENERIC_READ, share = FILE_SHARE_READ, disposition = OPEN_EXISTING;
  switch (mode) {
    case Mode::Read: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    case Mode::ReadWriteExisting: access = GENERIC_READ | GENERIC_WRITE; break;
    case Mode::ReadWriteAlways: access = GENERIC_READ | GENERIC_WRITE; disposition = OPEN_ALWAYS; break;
    case Mode::Replace: access = GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
  }
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<intptr_t>(h);
  return true;
}

void File::close() {
  if (handle_ != kNone) CloseHandle(asHandle(handle_));
  handle_ = kNone;
}

int64_t File::size() const {
  LARGE_INTEGER n;
  if (handle_ == kNone || !GetFileSizeEx(asHandle(handle_), &n)) return -1;
  return n.QuadPart;
}

bool File::seek(int64_t position) {
  LARGE_INTEGER to;
  to.QuadPart = position;
  return handle_ != kNone && SetFilePointerEx(asHandle(handle_), to, nullptr, FILE_BEGIN);
}

size_t File::read(void* buffer, size_t n) {
  if (handle_ == kNone) return 0;
  size_t done = 0;
  while (done < n) {
    DWORD chunk = DWORD(std::min<size_t>(n - done, 1u << 30)), got = 0;
    if (!ReadFile(asHandle(handle_), static_cast<char*>(buffer) + done, chunk, &got, nullptr) || got == 0)
      break;
    done += got;
  }
  return done;
}

size_t File::write(const void* data, size_t n) {
  if (handle_ == kNone) return 0;
  size_t done = 0;
  while (done < n) {
    DWORD chunk = DWORD(std::min<size_t>(n - done, 1u << 30)), put = 0;
    if (!WriteFile(asHandle(handle_), static_cast<const char*>(data) + done, chunk, &put, nullptr) || put == 0)
      break;
    done += put;
  }
  return done;
}

bool File::truncateHere() { return handle_ != kNone && SetEndOfFile(asHandle(handle_)); }

bool File::setTimes(const FileTime& creation, const FileTime& lastWrite) {
  if (handle_ == kNone) return false;
  FILETIME c{creation.low, creation.high}, w{lastWrite.low, lastWrite.high};
  // Nothing to flush first: writes go straight to WriteFile, and the system keeps times
  // set through the handle whatever it writes back later. A flush per file made the
  // extraction of a product several times slower.
  return SetFileTime(asHandle(handle_), &c, nullptr, &w);
}

bool fileExists(const std::string& path) {
  DWORD a = attributesOf(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::string& path) {
  DWORD a = attributesOf(path);
  return !path.empty() && a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t fileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d) ||
      (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return -1;
  return (int64_t(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

bool createFolder(const std::string& path) {
  return CreateDirectoryA(withoutTrailingSlash(path).c_str(), nullptr);
}
bool removeFile(const std::string& path) { return DeleteFileA(path.c_str()); }
bool removeFolder(const std::string& path) {
  return RemoveDirectoryA(withoutTrailingSlash(path).c_str());
}

bool readFileTimes(const std::string& path, FileTime& creation, FileTime& lastWrite) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(withoutTrailingSlash(path).c_str(), GetFileExInfoStandard, &d)) return false;
  creation = FileTime{d.ftCreationTime.dwLowDateTime, d.ftCreationTime.dwHighDateTime};
  lastWrite = FileTime{d.ftLastWriteTime.dwLowDateTime, d.ftLastWriteTime.dwHighDateTime};
  return true;
}

bool listFolder(const std::string& path, std::vector<FolderItem>& items) {
  items.clear();
  std::string pattern = path;
  if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::string_view name = fd.cFileName;
    if (name == "." || name == "..") continue;
    FolderItem item;
    item.name = std::string(name);
    item.hostName = item.name;
    // The system writes "?" for each character the ANSI code page lacks, and no real
    // name holds one.
    item.nameConverts = name.find('?') == std::string_view::npos;
    item.isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.isLink = (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    items.push_back(std::move(item));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  sortShortList(items, [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
  return true;
}

void pauseMilliseconds(unsigned milliseconds) { Sleep(milliseconds); }

}  // namespace qv
