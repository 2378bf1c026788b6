// Checked copies on Windows: CopyFileA, Version.dll, the file's creation time in local
// time, the file-version window, and the run's administrator logon.
#pragma once

#include <windows.h>

#include "driver/run_context.h"
#include "driver/start_services.h"
#include "package/copy_checked.h"
#include "win32/file_version_window_win32.h"

namespace qv {

class Win32CopyServices final : public CopyServices {
 public:
  // The logon's token goes into `context`; `wizardWindow` (none in the quiet run)
  // is disabled while the file-version window asks.
  Win32CopyServices(RunContext& context, StartServices& system, const InterfaceTexts& texts,
                    HWND wizardWindow = nullptr)
      : context_(context), system_(system), texts_(texts), window_(wizardWindow) {}

  bool fileExists(const std::string& path) override;
  bool copyFileReplacing(const std::string& source, const std::string& destination) override;
  bool offerAdministratorLogon() override;
  void showCopyFailure(const std::string& caption, const std::string& text) override;
  std::string getFileVersionSummary(const std::string& path) override;
  bool readCreationDate(const std::string& path, LocalDateTime& date) override;
  FileVersionWindow& fileVersionWindow() override { return window_; }
  bool answersItself() override { return context_.quiet; }
  bool readFileVersionNumber(const std::string& path, uint64_t& version) override;

 private:
  RunContext& context_;
  StartServices& system_;
  const InterfaceTexts& texts_;
  Win32FileVersionWindow window_;
};

}  // namespace qv
