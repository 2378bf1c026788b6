#include "install/file_version_summary.h"

namespace qv {

std::string joinFileVersionSummary(const FileVersionFields& fields) {
  return fields.version + "|" + fields.description + "|" + fields.language;
}

FileVersionFields parseFileVersionSummary(const std::string& summary) {
  FileVersionFields fields;
  size_t first = summary.find('|');
  if (first == std::string::npos) {
    fields.version = summary;
    return fields;
  }
  fields.version = summary.substr(0, first);
  size_t last = summary.rfind('|');
  if (last == first) {
    fields.description = summary.substr(first + 1);
    return fields;
  }
  fields.description = summary.substr(first + 1, last - first - 1);
  fields.language = summary.substr(last + 1);
  return fields;
}

uint32_t versionInfoBufferSize(uint32_t reportedSize) {
  // Larger blocks are refused as a whole rather than read in part: a cut block still
  // claims its full length, and queries would follow it past the buffer.
  return reportedSize < 32768 ? reportedSize : 0;
}

std::string versionTranslationKey(uint16_t language, uint16_t codePage) {
  static const char kDigits[] = "0123456789ABCDEF";
  uint32_t both = (uint32_t(language) << 16) | codePage;
  std::string key(8, '0');
  for (int i = 7; i >= 0; --i) {
    key[size_t(i)] = kDigits[both & 0xF];
    both >>= 4;
  }
  return key;
}

std::string versionTranslationQuery() { return "\\\\VarFileInfo\\\\Translation"; }

std::string versionStringQuery(const std::string& translationKey, const std::string& valueName) {
  return "\\\\StringFileInfo\\\\" + translationKey + "\\\\" + valueName;
}

}  // namespace qv
