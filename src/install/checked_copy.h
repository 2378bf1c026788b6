// Copying single files from the temporary folder with an overwrite check: an existing
// destination is replaced only when the user answers Yes in the file-version window,
// which shows both files' version data side by side. A copy that fails for lack of
// rights falls back on the administrator logon. The system side sits behind
// CopyServices; win32/checked_copy_win32.h is the real one, tests pass their own.
#pragma once

#include <cstdint>
#include <string>

#include "install/file_version_summary.h"
#include "install/file_version_window.h"
#include "system/privileges.h"
#include "texts/interface_texts.h"

namespace qv {

// A moment in local time, as far as the file-version window shows it.
struct LocalDateTime {
  int year = 0;
  int month = 0;   // 1 to 12
  int day = 0;     // 1 to 31
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
};

// "yyyy-mm-dd  hh:ii": four-digit year, two-digit month, day, hour and minute, two
// blanks between date and time.
std::string formatFileDate(const LocalDateTime& date);

// A summary's fields as labels: an empty version shows the file's creation date
// (`date`, or NotAvailable when the date could not be read), an empty language or
// description shows FileVersion/NotAvailable.
void fillFileVersionLabels(const FileVersionFields& fields, const LocalDateTime* date, const InterfaceTexts& texts,
                           std::string& version, std::string& language, std::string& description);
FileVersionLabels fileVersionLabels(const std::string& currentSummary, const LocalDateTime* currentDate,
                                    const std::string& newSummary, const LocalDateTime* newDate,
                                    const InterfaceTexts& texts);

// What a checked copy needs of the system.
class CopyServices {
 public:
  virtual bool fileExists(const std::string& path) = 0;
  // Copies the file, replacing an existing destination.
  virtual bool copyFileReplacing(const std::string& source, const std::string& destination) = 0;
  // "FileVersion|FileDescription|language name", or empty without version data.
  virtual std::string getFileVersionSummary(const std::string& path) = 0;
  // The file's creation time in local time; false when it cannot be read.
  virtual bool readCreationDate(const std::string& path, LocalDateTime& date) = 0;
  virtual FileVersionWindow& fileVersionWindow() = 0;
  // The file's version from its fixed version data, major to revision in 16 bits each
  // from the top; false when the file has none.
  virtual bool readFileVersionNumber(const std::string& path, uint64_t& version) = 0;

 protected:
  ~CopyServices() = default;
};

// What a checked copy needs of the run: whether anyone may be asked, the
// administrator logon, and the report of a copy that failed.
class CopyPolicy {
 public:
  // True when the run may ask nobody (a quiet run): the overwrite check answers itself.
  virtual bool answersItself() = 0;
  // For a copy that failed for lack of rights.
  virtual LogonOffer offerAdministratorLogon() = 0;
  // Requester/RQ6: a message box in the wizard run, a failure the quiet run's exit code
  // tells.
  virtual void reportCopyFailure() = 0;

 protected:
  ~CopyPolicy() = default;
};

// The overwrite check's answer when nobody may be asked: replace, unless both files
// carry version data and the installed one is the higher version (a versioned file is
// never downgraded).
bool replacesWithoutAsking(const std::string& source, const std::string& destination, CopyServices& services);

// Copies source over destination: when the destination exists, only after the user
// agreed in the file-version window (confirmReplaceFile), or, when the run answers
// itself, as replacesWithoutAsking decides; otherwise at once.
void copyFileChecked(const std::string& source, const std::string& destination, CopyServices& services,
                     CopyPolicy& policy, const InterfaceTexts& texts);

// Shows both files' version data in the file-version window with the wizard window
// disabled; Yes copies, No leaves the destination. When the window cannot be opened
// nothing is copied.
void confirmReplaceFile(const std::string& source, const std::string& destination, CopyServices& services,
                        CopyPolicy& policy, const InterfaceTexts& texts);

// Copies, replacing the destination. When that fails and the user is no
// administrator, the logon is offered and the copy tried once more; its failure is
// reported (Requester/RQ6), also when the logon was declined earlier in the run. An
// administrator's failure gives false without a report.
bool copyFileAsAdministrator(const std::string& source, const std::string& destination, CopyServices& services,
                             CopyPolicy& policy);

}  // namespace qv
