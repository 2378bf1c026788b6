#include "win32/running_programs_win32.h"

#include <windows.h>
#include <tlhelp32.h>

namespace qv {
namespace {

using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

template <typename Fn>
Fn lookUp(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

bool Win32RunningPrograms::listProcessNames(std::vector<std::string>& names) {
  names.clear();
  // Looked up at run time: systems without the tool-help functions count the product
  // as not running.
  HMODULE kernel = LoadLibraryA("Kernel32.dll");
  if (!kernel) return false;
  bool listed = false;
  auto createSnapshot = lookUp<SnapshotFn>(kernel, "CreateToolhelp32Snapshot");
  auto first = lookUp<ProcessWalkFn>(kernel, "Process32First");
  auto next = lookUp<ProcessWalkFn>(kernel, "Process32Next");
  if (createSnapshot && first && next) {
    HANDLE snapshot = createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
      listed = true;
      PROCESSENTRY32 entry = {};
      entry.dwSize = sizeof(entry);  // the ANSI record; its size differs between 32 and 64 bits
      for (BOOL more = first(snapshot, &entry); more; more = next(snapshot, &entry)) {
        size_t length = 0;
        while (length < sizeof(entry.szExeFile) && entry.szExeFile[length]) ++length;
        names.emplace_back(entry.szExeFile, length);
      }
      CloseHandle(snapshot);
    }
  }
  FreeLibrary(kernel);
  return listed;
}

bool Win32RunningPrograms::mutexExists(const std::string& name) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  bool existed = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
  if (mutex) CloseHandle(mutex);
  return existed;
}

bool Win32RunningPrograms::confirmRunningProgram(const std::string& caption, const std::string& text) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) ==
         IDOK;
}

}  // namespace qv
