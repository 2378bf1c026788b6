// The version summary of a file: "FileVersion|FileDescription|language name", each
// field empty when it cannot be read, the whole text empty when the file has no
// version data. Read on Windows by win32/file_version_info_win32.h; what is decided
// about the data lives here.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

struct FileVersionFields {
  std::string version;      // FileVersion
  std::string description;  // FileDescription
  std::string language;     // the name of the file's language
};

std::string joinFileVersionSummary(const FileVersionFields& fields);

// Splits a version summary. The description is the field whose text is freest, so a
// "|" inside it stays in it: the version ends at the first "|", the language starts
// after the last one (when there are two or more). The empty summary gives three
// empty fields.
FileVersionFields parseFileVersionSummary(const std::string& summary);

// The buffer to read version data into, from the size the system reports: 0 (read
// nothing) without version data and for 32768 bytes or more, which are never taken.
uint32_t versionInfoBufferSize(uint32_t reportedSize);

// The key of a translation: language and code page as four upper-case hexadecimal
// digits each, language first (040904B0).
std::string versionTranslationKey(uint16_t language, uint16_t codePage);

// Query paths as the version data stores them, two backslashes at each separator.
std::string versionTranslationQuery();
std::string versionStringQuery(const std::string& translationKey, const std::string& valueName);

}  // namespace qv
