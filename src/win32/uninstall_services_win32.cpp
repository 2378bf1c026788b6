#include "win32/uninstall_services_win32.h"

#include <windows.h>

#include "win32/program_paths_win32.h"

namespace qv {

std::string Win32UninstallServices::commandLineArguments() { return programArguments(); }

std::string Win32UninstallServices::modulePath() { return moduleFilePath(); }

std::string Win32UninstallServices::temporaryPath() { return temporaryFolderPath(); }

uint32_t Win32UninstallServices::processId() { return GetCurrentProcessId(); }

bool Win32UninstallServices::waitForProcessEnd(uint32_t processId, unsigned milliseconds) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!process) return true;  // ended already
  const bool ended = WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

void Win32UninstallServices::removeFileAtRestart(const std::string& path) {
  // Needs the right to write the machine's settings; without it the copy stays in the
  // temporary folder, which the system's clean-up empties.
  MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void Win32UninstallServices::showError(const std::string& caption, const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace qv
