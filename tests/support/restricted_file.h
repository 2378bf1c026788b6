// Files that this test process cannot write, or cannot open at all, for the life of an
// object. Natively the permission bits do it; a test run by root also lowers the
// thread's permission-override capabilities meanwhile (they are per thread and stay
// permitted, so they are raised again afterwards). On Windows the read-only attribute
// and a handle shared for reading only, or a handle held without sharing, do it.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include <algorithm>
#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif
#endif

namespace qvtest {

#ifndef _WIN32
// Lowers the file-permission overrides of this thread until destroyed.
class PermissionOverridesLowered {
 public:
  PermissionOverridesLowered() {
#ifdef __linux__
    header_.version = _LINUX_CAPABILITY_VERSION_3;
    header_.pid = 0;
    if (syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
#endif
  }
  ~PermissionOverridesLowered() {
#ifdef __linux__
    if (lowered_) syscall(SYS_capset, &header_, saved_);
#endif
  }
  PermissionOverridesLowered(const PermissionOverridesLowered&) = delete;
  PermissionOverridesLowered& operator=(const PermissionOverridesLowered&) = delete;

 private:
#ifdef __linux__
  __user_cap_header_struct header_{};
  __user_cap_data_struct saved_[2]{};
  bool lowered_ = false;
#endif
};

inline std::string hostPathOf(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}
#endif

// The file can be read but not written while this object lives.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path) : path_(path) {
#ifdef _WIN32
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    // Wine run by root writes files whatever their attribute; a handle that shares the
    // file for reading only keeps writers out there as well.
    handle_ = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
#else
    chmod(hostPathOf(path_).c_str(), 0444);
#endif
  }
  ~ReadOnlyFile() {
#ifdef _WIN32
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
    chmod(hostPathOf(path_).c_str(), 0644);
#endif
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

 private:
  std::string path_;
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
  PermissionOverridesLowered lowered_;
#endif
};

// The file cannot be opened at all while this object lives.
class UnopenableFile {
 public:
  explicit UnopenableFile(const std::string& path) : path_(path) {
#ifdef _WIN32
    handle_ = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
#else
    chmod(hostPathOf(path_).c_str(), 0);
#endif
  }
  ~UnopenableFile() {
#ifdef _WIN32
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
#else
    chmod(hostPathOf(path_).c_str(), 0644);
#endif
  }
  UnopenableFile(const UnopenableFile&) = delete;
  UnopenableFile& operator=(const UnopenableFile&) = delete;

 private:
  std::string path_;
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
  PermissionOverridesLowered lowered_;
#endif
};

}  // namespace qvtest
