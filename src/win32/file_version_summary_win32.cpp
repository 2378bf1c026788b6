#include "win32/file_version_summary_win32.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "install/file_version_summary.h"
#include "runtime/file.h"
#include "win32/system_library_win32.h"

namespace qv {
namespace {

using GetSizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using GetInfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryValueFunction = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
using LanguageNameFunction = DWORD(WINAPI*)(DWORD, LPSTR, DWORD);

// Version.dll for one reading, released on every way out.
class VersionLibrary {
 public:
  VersionLibrary()
      : library_("version.dll"),
        getSize(library_.lookUp<GetSizeFunction>("GetFileVersionInfoSizeA")),
        getInfo(library_.lookUp<GetInfoFunction>("GetFileVersionInfoA")),
        queryValue(library_.lookUp<QueryValueFunction>("VerQueryValueA")),
        languageName(library_.lookUp<LanguageNameFunction>("VerLanguageNameA")) {}

  bool ready() const { return getSize && getInfo && queryValue && languageName; }

 private:
  SystemLibrary library_;

 public:
  const GetSizeFunction getSize;
  const GetInfoFunction getInfo;
  const QueryValueFunction queryValue;
  const LanguageNameFunction languageName;
};

// The version data of one file, with queries that only take what lies inside it.
class VersionBlock {
 public:
  VersionBlock(const VersionLibrary& library, uint32_t size)
      : library_(library), bytes_(static_cast<char*>(std::calloc(size, 1))), size_(size) {}
  ~VersionBlock() { std::free(bytes_); }
  VersionBlock(const VersionBlock&) = delete;
  VersionBlock& operator=(const VersionBlock&) = delete;

  bool read(const std::string& path) {
    return bytes_ && library_.getInfo(path.c_str(), 0, size_, bytes_) != 0;
  }

  // The value when the system found it within the block; `length` is what it
  // reported, cut off at the end of the block.
  bool query(const std::string& subBlock, const char*& value, size_t& length) const {
    void* found = nullptr;
    UINT reported = 0;
    if (!library_.queryValue(bytes_, subBlock.c_str(), &found, &reported) || !found) return false;
    const char* start = static_cast<const char*>(found);
    if (start < bytes_ || start >= bytes_ + size_) return false;
    value = start;
    size_t inside = size_t(bytes_ + size_ - start);
    length = reported < inside ? reported : inside;
    return true;
  }

  // A string value: its characters up to the first zero, the end of the block, or
  // the length reported, whichever comes first.
  std::string queryString(const std::string& subBlock) const {
    const char* value = nullptr;
    size_t room = 0;
    if (!query(subBlock, value, room)) return std::string();
    size_t length = 0;
    while (length < room && value[length] != '\0') ++length;
    return std::string(value, length);
  }

 private:
  const VersionLibrary& library_;
  char* bytes_;
  uint32_t size_;
};

}  // namespace

std::string getFileVersionSummary(const std::string& path) {
  if (fileSize(path) < 1) return std::string();
  VersionLibrary library;
  if (!library.ready()) return std::string();
  DWORD ignored = 0;
  uint32_t size = versionInfoBufferSize(library.getSize(path.c_str(), &ignored));
  if (size == 0) return std::string();
  VersionBlock block(library, size);
  if (!block.read(path)) return std::string();

  FileVersionFields fields;
  const char* translation = nullptr;
  size_t room = 0;
  if (block.query(versionTranslationQuery(), translation, room) && room >= 4) {
    uint16_t language = 0, codePage = 0;
    std::memcpy(&language, translation, 2);
    std::memcpy(&codePage, translation + 2, 2);
    char name[128] = {};
    if (library.languageName(language, name, sizeof(name)) > 0) {
      name[sizeof(name) - 1] = '\0';
      fields.language = name;
    }
    std::string key = versionTranslationKey(language, codePage);
    fields.version = block.queryString(versionStringQuery(key, "FileVersion"));
    fields.description = block.queryString(versionStringQuery(key, "FileDescription"));
  }
  return joinFileVersionSummary(fields);
}

bool readFileVersionNumber(const std::string& path, uint64_t& version) {
  if (fileSize(path) < 1) return false;
  VersionLibrary library;
  if (!library.ready()) return false;
  DWORD ignored = 0;
  uint32_t size = versionInfoBufferSize(library.getSize(path.c_str(), &ignored));
  if (size == 0) return false;
  VersionBlock block(library, size);
  const char* root = nullptr;
  size_t room = 0;
  if (!block.read(path) || !block.query("\\", root, room) || room < sizeof(VS_FIXEDFILEINFO)) return false;
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, root, sizeof(fixed));
  if (fixed.dwSignature != 0xFEEF04BD) return false;
  version = (uint64_t(fixed.dwFileVersionMS) << 32) | fixed.dwFileVersionLS;
  return true;
}

}  // namespace qv
