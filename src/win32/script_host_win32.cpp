#include "win32/script_host_win32.h"

#include <cstring>

#include "win32/com_win32.h"
#include "win32/script_control_win32.h"

namespace qv {
namespace {

class Win32ScriptHost final : public ScriptHost {
 public:
  bool create() {
    return SUCCEEDED(CoCreateInstance(kScriptControlClass, nullptr, CLSCTX_INPROC_SERVER, kScriptControlInterface,
                                      control_.out())) &&
           control_;
  }
  bool reset() override { return SUCCEEDED(control_->Reset()); }
  bool setLanguage(const char* language) override {
    BstrText text(language, std::strlen(language));
    return text.get() && SUCCEEDED(control_->put_Language(text.get()));
  }
  bool setTimeout(int32_t milliseconds) override { return SUCCEEDED(control_->put_Timeout(LONG(milliseconds))); }
  bool addCode(const std::string& code) override {
    BstrText text(code.data(), code.size());
    return text.get() && SUCCEEDED(control_->AddCode(text.get()));
  }

 private:
  // Members go in reverse order: the control is released before COM is uninitialised.
  ComApartment apartment_;
  ComPointer<IScriptControl> control_;
};

}  // namespace

std::unique_ptr<ScriptHost> createScriptHost() {
  std::unique_ptr<Win32ScriptHost> host(new Win32ScriptHost);
  if (!host->create()) return nullptr;
  host->reset();
  host->setLanguage("VBScript");
  return host;
}

void releaseScriptHost(std::unique_ptr<ScriptHost>& host) { host.reset(); }

}  // namespace qv
