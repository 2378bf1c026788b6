// Where the Windows tests find the helper programs: beside win32_tests.exe, under
// win32\helpers\.
#pragma once

#include <windows.h>

#include <string>

namespace qvtest {

inline std::string helperProgram(const char* name) {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder = folder.substr(0, folder.find_last_of('\\') + 1);
  return folder + "win32\\helpers\\" + name;
}

// Waits up to `ms` for a file to appear.
inline bool waitForFile(const std::string& path, DWORD ms) {
  for (DWORD waited = 0; waited <= ms; waited += 50) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace qvtest
