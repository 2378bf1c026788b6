#include "win32/checked_copy_win32.h"

#include "runtime/file.h"
#include "win32/file_version_summary_win32.h"

namespace qv {

bool Win32CopyServices::fileExists(const std::string& path) { return qv::fileExists(path); }

bool Win32CopyServices::copyFileReplacing(const std::string& source, const std::string& destination) {
  return CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}

bool Win32CopyServices::readFileVersionNumber(const std::string& path, uint64_t& version) {
  return qv::readFileVersionNumber(path, version);
}

std::string Win32CopyServices::getFileVersionSummary(const std::string& path) {
  return qv::getFileVersionSummary(path);
}

bool Win32CopyServices::readCreationDate(const std::string& path, LocalDateTime& date) {
  FileTime creation, lastWrite;
  if (!readFileTimes(path, creation, lastWrite)) return false;
  FILETIME universal = {creation.low, creation.high}, local;
  SYSTEMTIME parts;
  if (!FileTimeToLocalFileTime(&universal, &local) || !FileTimeToSystemTime(&local, &parts)) return false;
  date.year = parts.wYear;
  date.month = parts.wMonth;
  date.day = parts.wDay;
  date.hour = parts.wHour;
  date.minute = parts.wMinute;
  return true;
}

}  // namespace qv
