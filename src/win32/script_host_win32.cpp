#include "win32/script_host_win32.h"

#include <climits>
#include <cstring>

#include "win32/script_control_win32.h"

namespace qv {

BSTR ansiToBstr(const char* text, size_t length) {
  if (length > size_t(INT_MAX)) return nullptr;
  const int n = int(length);
  const int wide = n == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text, n, nullptr, 0);
  if (n != 0 && wide <= 0) return nullptr;
  BSTR out = SysAllocStringLen(nullptr, UINT(wide));
  if (!out) return nullptr;
  if (wide > 0) MultiByteToWideChar(CP_ACP, 0, text, n, out, wide);
  out[wide] = 0;
  return out;
}

namespace {

class Win32ScriptHost final : public ScriptHost {
 public:
  // `comInitialized`: this host's CoInitialize succeeded and is undone with it.
  Win32ScriptHost(IScriptControl* control, bool comInitialized)
      : control_(control), comInitialized_(comInitialized) {}
  ~Win32ScriptHost() override {
    control_->Release();
    if (comInitialized_) CoUninitialize();
  }
  Win32ScriptHost(const Win32ScriptHost&) = delete;
  Win32ScriptHost& operator=(const Win32ScriptHost&) = delete;

  bool reset() override { return SUCCEEDED(control_->Reset()); }
  bool setLanguage(const char* language) override {
    BSTR text = ansiToBstr(language, strlen(language));
    if (!text) return false;
    const bool done = SUCCEEDED(control_->put_Language(text));
    SysFreeString(text);
    return done;
  }
  bool setTimeout(int32_t milliseconds) override { return SUCCEEDED(control_->put_Timeout(LONG(milliseconds))); }
  bool addCode(const std::string& code) override {
    BSTR text = ansiToBstr(code.data(), code.size());
    if (!text) return false;
    const bool done = SUCCEEDED(control_->AddCode(text));
    SysFreeString(text);
    return done;
  }

 private:
  IScriptControl* control_;
  bool comInitialized_;
};

}  // namespace

std::unique_ptr<ScriptHost> createScriptHost() {
  const HRESULT initialized = CoInitialize(nullptr);
  void* object = nullptr;
  if (FAILED(CoCreateInstance(kScriptControlClass, nullptr, CLSCTX_INPROC_SERVER, kScriptControlInterface, &object)) ||
      !object) {
    if (SUCCEEDED(initialized)) CoUninitialize();
    return nullptr;
  }
  std::unique_ptr<ScriptHost> host(new Win32ScriptHost(static_cast<IScriptControl*>(object), SUCCEEDED(initialized)));
  host->reset();
  host->setLanguage("VBScript");
  return host;
}

void releaseScriptHost(std::unique_ptr<ScriptHost>& host) { host.reset(); }

}  // namespace qv
