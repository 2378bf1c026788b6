#include "support/test_data.h"

#include "runtime/file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace qvtest {
namespace {

uint32_t next(uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

}  // namespace

std::vector<uint8_t> randomBytes(size_t n, uint32_t seed) {
  uint32_t s = seed * 2654435761u + 1;
  std::vector<uint8_t> out(n);
  for (auto& b : out) b = uint8_t(next(s) >> 24);
  return out;
}

std::vector<uint8_t> textBytes(size_t n, uint32_t seed) {
  static const char* const words[] = {"the ", "setup ", "file ", "folder ", "install ", "of ",
                                      "and ", "package ", "entry\r\n", "value = ", "[Group]\r\n", "0"};
  uint32_t s = seed * 2654435761u + 7;
  std::vector<uint8_t> out;
  out.reserve(n + 16);
  while (out.size() < n) {
    const char* w = words[next(s) % (sizeof(words) / sizeof(words[0]))];
    while (*w && out.size() < n) out.push_back(uint8_t(*w++));
  }
  return out;
}

std::string readText(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!qv::readWholeFile(path, bytes)) return std::string();
  return std::string(bytes.begin(), bytes.end());
}

bool keepsCreationTimes() {
#ifdef _WIN32
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
#else
  return false;
#endif
}

}  // namespace qvtest
