#include "win32/program_paths_win32.h"

#include <windows.h>

#include "runtime/text.h"

namespace qv {
namespace {

using GetLongPathNameFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

// A path as the system writes it into a buffer, which grows until the text fits: the
// temporary folder, or with `shortForm` given, that path's long form.
std::string fetchPath(GetLongPathNameFn getLongPathName, const char* shortForm) {
  std::string buffer(MAX_PATH + 1, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD size = DWORD(buffer.size());
    DWORD n = shortForm ? getLongPathName(shortForm, &buffer[0], size) : GetTempPathA(size, &buffer[0]);
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(size_t(n) + 1 > buffer.size() * 2 ? size_t(n) + 1 : buffer.size() * 2);
  }
  return std::string();
}

}  // namespace

std::string programArguments() {
  const char* line = GetCommandLineA();
  return skipProgramName(line ? line : "");
}

std::string moduleFilePath() {
  std::string buffer(MAX_PATH + 1, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = GetModuleFileNameA(nullptr, &buffer[0], DWORD(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 4);  // the name was cut off
  }
  return std::string();
}

std::string temporaryFolderPath() {
  std::string shortForm = fetchPath(nullptr, nullptr);
  // Looked up by name: older systems lack it, and the short form serves there.
  auto getLongPathName = reinterpret_cast<GetLongPathNameFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
  if (shortForm.empty() || !getLongPathName) return shortForm;
  std::string longForm = fetchPath(getLongPathName, shortForm.c_str());
  return longForm.empty() ? shortForm : longForm;
}

}  // namespace qv
