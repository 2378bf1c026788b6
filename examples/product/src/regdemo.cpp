// regdemo.dll: the example product's component that registers itself. The setup
// registers it through regsvr32; registering records the DLL's own path under the
// product's key, unregistering removes that value again.
#include <windows.h>

#include <cstring>

namespace {

const char kKey[] = "Software\\QuarvelExample\\Hello";
const char kValue[] = "Registered";
HINSTANCE module = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return E_FAIL;
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return E_FAIL;
  LONG result = RegSetValueExA(key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), DWORD(strlen(path) + 1));
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? S_OK : E_FAIL;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return S_OK;
  RegDeleteValueA(key, kValue);
  RegCloseKey(key);
  return S_OK;
}
