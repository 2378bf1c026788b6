// A DLL that registers itself by writing its own path into the registry, for the
// test of DLL registration through regsvr32 (HKEY_CURRENT_USER, key below, value
// "Module"). Unregistering removes the key.
#include <windows.h>

namespace {

const char kKey[] = "Software\\Quarvel Tests\\Tasks Registration";
HMODULE module = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return E_FAIL;
  HKEY key;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kKey, &key) != ERROR_SUCCESS) return E_FAIL;
  LONG set = RegSetValueExA(key, "Module", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), n + 1);
  RegCloseKey(key);
  return set == ERROR_SUCCESS ? S_OK : E_FAIL;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return RegDeleteKeyA(HKEY_CURRENT_USER, kKey) == ERROR_SUCCESS ? S_OK : E_FAIL;
}
