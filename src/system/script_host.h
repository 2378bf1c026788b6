// The script host: the system's script control as the installer drives it; the
// Windows side, made once at program start, is win32/script_host_win32.h.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  virtual bool reset() = 0;
  virtual bool setLanguage(const char* language) = 0;
  virtual bool setTimeout(int32_t milliseconds) = 0;
  // Hands the code to the host, which runs its top-level statements. False when the
  // code does not compile or fails as it runs.
  virtual bool addCode(const std::string& code) = 0;
};

}  // namespace qv
