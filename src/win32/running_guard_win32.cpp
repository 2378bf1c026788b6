#include "win32/running_guard_win32.h"

#include <windows.h>
#include <tlhelp32.h>

#include "win32/system_library_win32.h"

namespace qv {
namespace {

using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

}  // namespace

bool Win32RunningPrograms::listProcessNames(std::vector<std::string>& names) {
  names.clear();
  // Looked up at run time: systems without the tool-help functions count the product
  // as not running.
  SystemLibrary kernel("kernel32.dll");
  if (!kernel.isLoaded()) return false;
  bool listed = false;
  auto createSnapshot = kernel.lookUp<SnapshotFn>("CreateToolhelp32Snapshot");
  auto first = kernel.lookUp<ProcessWalkFn>("Process32First");
  auto next = kernel.lookUp<ProcessWalkFn>("Process32Next");
  if (createSnapshot && first && next) {
    HANDLE snapshot = createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
      listed = true;
      PROCESSENTRY32 entry = {};
      entry.dwSize = sizeof(entry);  // the ANSI record; its size differs between 32 and 64 bits
      for (BOOL more = first(snapshot, &entry); more; more = next(snapshot, &entry)) {
        size_t length = 0;
        while (length < sizeof(entry.szExeFile) && entry.szExeFile[length]) ++length;
        names.push_back(std::string(entry.szExeFile, length));
      }
      CloseHandle(snapshot);
    }
  }
  return listed;
}

bool Win32RunningPrograms::mutexExists(const std::string& name) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  DWORD error = GetLastError();
  // A mutex this user may not open exists all the same: it is held by the product
  // running under another account or elevated, whose files must not be overwritten.
  bool existed = mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  if (mutex) CloseHandle(mutex);
  return existed;
}

bool Win32RunningPrograms::confirmRunningProgram(const std::string& caption, const std::string& text) {
  return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) ==
         IDOK;
}

}  // namespace qv
