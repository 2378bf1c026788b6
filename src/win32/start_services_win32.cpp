#include "win32/start_services_win32.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "win32/program_paths_win32.h"

namespace qv {

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

std::string Win32StartServices::commandLineArguments() { return programArguments(); }

std::string Win32StartServices::modulePath() { return moduleFilePath(); }

std::string Win32StartServices::temporaryPath() { return temporaryFolderPath(); }

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
