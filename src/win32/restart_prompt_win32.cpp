#include "win32/restart_prompt_win32.h"

#include <windows.h>

#include "win32/system_library_win32.h"

namespace qv {
namespace {

using SetupPromptRebootFn = INT(WINAPI*)(PVOID fileQueue, HWND owner, BOOL scanOnly);

}  // namespace

void Win32RestartPrompt::promptRestart() {
  SystemLibrary setupApi("setupapi.dll");
  auto prompt = setupApi.lookUp<SetupPromptRebootFn>("SetupPromptReboot");
  if (prompt) prompt(nullptr, nullptr, FALSE);
}

}  // namespace qv
