// Version summaries from any text (the strings come from the files' own version
// data): the fields split without loss, the version and language never hold a "|",
// and every label the window shows has a text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "install/checked_copy.h"
#include "install/file_version_summary.h"

namespace {

using qvfuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string summary(reinterpret_cast<const char*>(data), size);
  qv::FileVersionFields fields = qv::parseFileVersionSummary(summary);
  check(fields.version.find('|') == std::string::npos);
  check(fields.language.find('|') == std::string::npos);
  size_t bars = 0;
  for (char c : summary) bars += c == '|';
  if (bars >= 2) check(qv::joinFileVersionSummary(fields) == summary);
  if (bars == 1) check(fields.version + "|" + fields.description == summary && fields.language.empty());
  if (bars == 0) check(fields.version == summary && fields.description.empty() && fields.language.empty());

  qv::InterfaceTexts texts;
  qv::LocalDateTime date{size > 0 ? int(data[0]) * 40 : 2000, size > 1 ? data[1] % 13 : 1, size > 2 ? data[2] % 32 : 1,
                         size > 3 ? data[3] % 24 : 0, size > 4 ? data[4] % 60 : 0};
  qv::FileVersionLabels labels = qv::fileVersionLabels(summary, &date, summary, nullptr, texts);
  check(!labels.currentVersion.empty() && !labels.currentLanguage.empty() && !labels.currentDescription.empty());
  check(!labels.newVersion.empty() && !labels.newLanguage.empty() && !labels.newDescription.empty());
  check(qv::formatFileDate(date).size() == 17);
  return 0;
}
