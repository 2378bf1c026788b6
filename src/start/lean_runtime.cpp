// Small stand-ins for the parts of libstdc++ that would drag its exception,
// unwinder and demangler code into the stub. The stub is built without
// exceptions, so every "throw" in the library headers lands in one of these:
// the process ends with a message instead.
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>

#include "run/run_start_steps.h"

namespace {

char upperCase(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Whether the command line holds /Q, scanned as the run scans it but without a byte of
// memory, which may be what ran out.
bool quietRequested() {
  const char* p = GetCommandLineA();
  if (!p) return false;
  bool quoted = false;
  while (*p == ' ' || *p == '\t') ++p;
  for (; *p && (quoted || (*p != ' ' && *p != '\t')); ++p)
    if (*p == '"') quoted = !quoted;  // the program name
  for (;;) {
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) return false;
    const char* begin = p;
    const char* end;
    if (*p == '"') {
      ++begin;
      for (end = begin; *end && *end != '"'; ++end) {}
      p = *end ? end + 1 : end;
    } else {
      for (end = begin; *end && *end != ' ' && *end != '\t'; ++end) {}
      p = end;
    }
    if (end == begin) return false;  // an empty parameter ends the scan
    if (end - begin >= 2 && begin[0] == '/' && upperCase(begin[1]) == 'Q') return true;
  }
}

[[noreturn]] void endProcess(const char* what) {
  // A quiet run never waits for a person: no box, and an exit code that says nothing
  // was installed.
  if (quietRequested()) ExitProcess(2);
  // The caption of the stub's own error box (its damaged-installation box).
  MessageBoxA(nullptr, what, qv::kDamagedCaption, MB_OK | MB_ICONERROR);
  ExitProcess(0);  // the wizard run always ends with exit code 0
}

}  // namespace

void* operator new(std::size_t n) {
  if (void* p = std::malloc(n ? n : 1)) return p;
  endProcess("Out of memory.");
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace std {
[[noreturn]] void __throw_bad_alloc() { endProcess("Out of memory."); }
[[noreturn]] void __throw_bad_array_new_length() { endProcess("Out of memory."); }
[[noreturn]] void __throw_length_error(const char*) { endProcess("Internal error."); }
[[noreturn]] void __throw_logic_error(const char*) { endProcess("Internal error."); }
[[noreturn]] void __throw_out_of_range(const char*) { endProcess("Internal error."); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { endProcess("Internal error."); }
[[noreturn]] void __throw_invalid_argument(const char*) { endProcess("Internal error."); }
[[noreturn]] void __throw_bad_function_call() { endProcess("Internal error."); }
[[noreturn]] void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept {
  endProcess("Internal error.");
}
}  // namespace std
