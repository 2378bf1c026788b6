// Checked copies on Windows: CopyFileA, Version.dll, the file's creation time in local
// time and the file-version window. What the run decides (asking, the logon, the
// report of a failure) is its CopyPolicy.
#pragma once

#include <windows.h>

#include "install/checked_copy.h"
#include "win32/file_version_window_win32.h"

namespace qv {

class Win32CopyServices final : public CopyServices {
 public:
  // `wizardWindow` holds the window (none in the quiet run) that is disabled while the
  // file-version window asks.
  explicit Win32CopyServices(const HWND* wizardWindow = nullptr) : window_(wizardWindow) {}

  bool fileExists(const std::string& path) override;
  bool copyFileReplacing(const std::string& source, const std::string& destination) override;
  std::string getFileVersionSummary(const std::string& path) override;
  bool readCreationDate(const std::string& path, LocalDateTime& date) override;
  FileVersionWindow& fileVersionWindow() override { return window_; }
  bool readFileVersionNumber(const std::string& path, uint64_t& version) override;

 private:
  Win32FileVersionWindow window_;
};

}  // namespace qv
