// A system library loaded for one stretch of work, by its full path in the system
// folder: a program run from a downloads folder must never pick up a library of the
// same name that lies beside it. Functions are looked up by name; the library is
// released with the holder.
#pragma once

#include <windows.h>

namespace qv {

class SystemLibrary {
 public:
  // `name` is the file name alone ("version.dll").
  explicit SystemLibrary(const char* name);
  ~SystemLibrary();
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  bool isLoaded() const { return module_ != nullptr; }
  // The function, or null when the library or the function is missing.
  template <typename Function>
  Function lookUp(const char* function) const {
    return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, function))) : nullptr;
  }

 private:
  HMODULE module_ = nullptr;
};

// Lets later loads by bare name search the system folder only, where the system has
// SetDefaultDllDirectories (looked up by name; older systems lack it). Called once at
// the start of a program.
void restrictLibrarySearchToSystemFolder();

}  // namespace qv
