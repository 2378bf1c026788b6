// The uninstaller's reading of an uninstall.dat of any content, and its rules on every
// name the log gives: whatever the file holds, a name taken as a path below the install
// folder lies inside it, and an absolute name the rules accept has no part that leaves
// its folder.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <stdlib.h>

#include "fuzz_support.h"
#include "runtime/file.h"
#include "uninstall/removal_rules.h"
#include "uninstall/uninstall_log_reader.h"

namespace {

using qvfuzz::check;

const std::string& logPath() {
  static const std::string path = qvfuzz::scratchFolder("uninstall-reader-fuzz") + "\\uninstall.dat";
  return path;
}

void checkAbsolute(const std::string& path) {
  if (!qv::isPlainAbsolutePath(path)) return;
  check(path.find("\\..\\") == std::string::npos && path.find('/') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  check(qv::writeWholeFile(logPath(), data, size));
  qv::UninstallLogContents log;
  qv::InterfaceTexts texts;
  if (!qv::readUninstallLog(logPath(), log, texts)) return 0;
  check(!log.progDir.empty() && log.progDir.back() == '\\');
  for (const std::string& file : log.files) {
    if (qv::isPlainRelativePath(file)) check(qv::isInsideFolder(log.progDir + file, log.progDir));
  }
  for (const std::string& link : log.startMenuLinks) checkAbsolute(link);
  checkAbsolute(log.desktopIcon);
  checkAbsolute(log.progDir);
  for (const std::string& record : log.undoRecords) checkAbsolute(record);
  qv::isDriveRoot(log.progDir);
  return 0;
}
