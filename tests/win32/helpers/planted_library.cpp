// A library that stands in for a system library of the same name (built as
// planted\version.dll): planted beside a program, it must never be loaded. When it is,
// it leaves "planted-library-loaded.txt" in its own folder and answers every version
// query with nothing.
#include <windows.h>

#include <cstring>

namespace {

HINSTANCE self = nullptr;

void leaveMarker() {
  char path[MAX_PATH] = "";
  DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
  while (n > 0 && path[n - 1] != '\\') --n;
  const char marker[] = "planted-library-loaded.txt";
  if (n + sizeof(marker) > MAX_PATH) return;
  std::memcpy(path + n, marker, sizeof(marker));
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    self = instance;
    leaveMarker();
  }
  return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR, LPDWORD) { return 0; }
extern "C" __declspec(dllexport) BOOL WINAPI GetFileVersionInfoA(LPCSTR, DWORD, DWORD, LPVOID) { return FALSE; }
extern "C" __declspec(dllexport) BOOL WINAPI VerQueryValueA(LPCVOID, LPCSTR, LPVOID*, PUINT) { return FALSE; }
extern "C" __declspec(dllexport) DWORD WINAPI VerLanguageNameA(DWORD, LPSTR, DWORD) { return 0; }
