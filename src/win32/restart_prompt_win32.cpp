#include "win32/restart_prompt_win32.h"

#include <windows.h>

namespace qv {
namespace {

using SetupPromptRebootFn = INT(WINAPI*)(PVOID fileQueue, HWND owner, BOOL scanOnly);

}  // namespace

void Win32RestartPrompt::promptRestart() {
  HMODULE setupApi = LoadLibraryA("setupapi.dll");
  if (!setupApi) return;
  auto prompt = reinterpret_cast<SetupPromptRebootFn>(
      reinterpret_cast<void*>(GetProcAddress(setupApi, "SetupPromptReboot")));
  if (prompt) prompt(nullptr, nullptr, FALSE);
  FreeLibrary(setupApi);
}

}  // namespace qv
