#include "win32/shell_folders_win32.h"

#include <windows.h>
#include <shlobj.h>

namespace qv {
namespace {

// A folder function's result in a MAX_PATH buffer: its length, or 0 on failure,
// or a length that did not fit.
std::string folderText(const char* buffer, UINT n) {
  if (n == 0 || n >= MAX_PATH) return std::string();
  return std::string(buffer, n);
}

}  // namespace

std::string Win32ShellFolders::systemFolder() {
  char buffer[MAX_PATH];
  return folderText(buffer, GetSystemDirectoryA(buffer, MAX_PATH));
}

std::string Win32ShellFolders::windowsFolder() {
  char buffer[MAX_PATH];
  return folderText(buffer, GetWindowsDirectoryA(buffer, MAX_PATH));
}

std::string Win32ShellFolders::shellFolder(int code) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, code, &list)) || !list) return std::string();
  char buffer[MAX_PATH];
  BOOL found = SHGetPathFromIDListA(list, buffer);
  CoTaskMemFree(list);
  if (!found) return std::string();
  buffer[MAX_PATH - 1] = '\0';
  return std::string(buffer);
}

uint32_t Win32ShellFolders::systemVersion() {
  // GetVersion is deprecated but still answers; its packed form is what is wanted.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  return GetVersion();
#pragma GCC diagnostic pop
}

}  // namespace qv
