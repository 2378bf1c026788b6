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

// The version data of one file, read through version.dll, with queries that only take
// what lies inside it.
class VersionBlock {
 public:
  // For a file that exists and is not empty.
  explicit VersionBlock(const std::string& path) {
    if (!library_.ready()) return;
    DWORD ignored = 0;
    size_ = versionInfoBufferSize(library_.getSize(path.c_str(), &ignored));
    if (size_ == 0) return;
    bytes_ = static_cast<char*>(std::calloc(size_, 1));
    loaded_ = bytes_ && library_.getInfo(path.c_str(), 0, size_, bytes_) != 0;
  }
  ~VersionBlock() { std::free(bytes_); }
  VersionBlock(const VersionBlock&) = delete;
  VersionBlock& operator=(const VersionBlock&) = delete;

  bool loaded() const { return loaded_; }
  const VersionLibrary& library() const { return library_; }

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
  VersionLibrary library_;
  char* bytes_ = nullptr;
  uint32_t size_ = 0;
  bool loaded_ = false;
};

}  // namespace

std::string getFileVersionSummary(const std::string& path) {
  if (fileSize(path) < 1) return std::string();
  VersionBlock block(path);
  if (!block.loaded()) return std::string();

  FileVersionFields fields;
  const char* translation = nullptr;
  size_t room = 0;
  if (block.query(versionTranslationQuery(), translation, room) && room >= 4) {
    uint16_t language = 0, codePage = 0;
    std::memcpy(&language, translation, 2);
    std::memcpy(&codePage, translation + 2, 2);
    char name[128] = {};
    if (block.library().languageName(language, name, sizeof(name)) > 0) {
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
  VersionBlock block(path);
  const char* root = nullptr;
  size_t room = 0;
  if (!block.loaded() || !block.query("\\", root, room) || room < sizeof(VS_FIXEDFILEINFO)) return false;
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, root, sizeof(fixed));
  if (fixed.dwSignature != 0xFEEF04BD) return false;
  version = (uint64_t(fixed.dwFileVersionMS) << 32) | fixed.dwFileVersionLS;
  return true;
}

}  // namespace qv
