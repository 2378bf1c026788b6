#include "win32/system_library_win32.h"

#include <cstring>

namespace qv {

SystemLibrary::SystemLibrary(const char* name) {
  char path[MAX_PATH];
  UINT folder = GetSystemDirectoryA(path, MAX_PATH);
  size_t length = std::strlen(name);
  // A folder that does not leave room for "\" and the name loads nothing.
  if (folder == 0 || folder + 1 + length >= MAX_PATH) return;
  path[folder] = '\\';
  std::memcpy(path + folder + 1, name, length + 1);
  module_ = LoadLibraryA(path);
}

SystemLibrary::~SystemLibrary() {
  if (module_) FreeLibrary(module_);
}

void restrictLibrarySearchToSystemFolder() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto restrict = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                               reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                         : nullptr;
  if (restrict) restrict(kSearchSystem32);
}

}  // namespace qv
