#include "win32/program_paths_win32.h"

#include <windows.h>

#include "runtime/text.h"

namespace qv {
namespace {

using GetLongPathNameFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

// Calls fill(buffer, capacity) with a growing buffer until the text fits.
template <typename Fill>
std::string fetchText(Fill fill) {
  std::string buffer(MAX_PATH + 1, '\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = fill(&buffer[0], DWORD(buffer.size()));
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
  std::string shortForm = fetchText([](char* b, DWORD n) { return GetTempPathA(n, b); });
  // Looked up by name: older systems lack it, and the short form serves there.
  auto getLongPathName = reinterpret_cast<GetLongPathNameFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
  if (shortForm.empty() || !getLongPathName) return shortForm;
  std::string longForm =
      fetchText([&](char* b, DWORD n) { return getLongPathName(shortForm.c_str(), b, n); });
  return longForm.empty() ? shortForm : longForm;
}

}  // namespace qv
