#include "win32/start_services_win32.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "run/command_line.h"

namespace qv {
namespace {

using GetLongPathNameFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

// Calls fill(buffer, capacity) with a growing buffer until the text fits.
template <typename Fill>
std::string fetchText(Fill fill) {
  std::vector<char> buffer(MAX_PATH + 1);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = fill(buffer.data(), DWORD(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(size_t(n) + 1 > buffer.size() * 2 ? size_t(n) + 1 : buffer.size() * 2);
  }
  return std::string();
}

}  // namespace

void Win32StartServices::initializeServices() { apartment_.reset(new ComApartment); }

void Win32StartServices::releaseServices() {
  wizard_.closeWizardWindow();
  install_.reset();  // the script host, before COM goes
  apartment_.reset();
}

InstallServices* Win32StartServices::installServices(RunContext& context, const InterfaceTexts& texts) {
  if (!install_) install_.reset(new Win32InstallServices(context, *this, texts, wizard_.handleSlot()));
  return install_.get();
}

std::string Win32StartServices::commandLineArguments() {
  const char* line = GetCommandLineA();
  return skipProgramName(line ? line : "");
}

std::string Win32StartServices::modulePath() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 4);  // the name was cut off
  }
  return std::string();
}

std::string Win32StartServices::temporaryPath() {
  std::string shortForm = fetchText([](char* b, DWORD n) { return GetTempPathA(n, b); });
  // Looked up by name: older systems lack it, and the short form serves there.
  auto getLongPathName = reinterpret_cast<GetLongPathNameFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetLongPathNameA")));
  if (shortForm.empty() || !getLongPathName) return shortForm;
  std::string longForm =
      fetchText([&](char* b, DWORD n) { return getLongPathName(shortForm.c_str(), b, n); });
  return longForm.empty() ? shortForm : longForm;
}

std::string Win32StartServices::newGuidText() {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return std::string();
  wchar_t wide[40];
  int n = StringFromGUID2(guid, wide, 40);
  if (n != 39) return std::string();  // 38 characters and the terminator
  std::string text;
  for (int i = 0; i < 38; ++i) text += char(wide[i]);  // braces, hex digits and hyphens only
  return text;
}

void Win32StartServices::setEnvironmentVariable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

bool Win32StartServices::createFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr); }

void Win32StartServices::showError(const std::string& caption, const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

uint16_t Win32StartServices::userDefaultLanguageId() { return GetUserDefaultLangID(); }

}  // namespace qv
