// The file-version window (window 4) as the overwrite check drives it; the Windows
// side is win32/file_version_window_win32.h.
#pragma once

#include <string>

#include "texts/interface_texts.h"

namespace qv {

// The six value labels of the file-version window, in control order.
struct FileVersionLabels {
  std::string currentVersion, currentLanguage, currentDescription;  // controls 48, 49, 50
  std::string newVersion, newLanguage, newDescription;              // controls 56, 57, 58
};

class FileVersionWindow {
 public:
  enum class Answer { Yes, No };
  // Builds and shows the window for the file name; false when it cannot be opened.
  virtual bool openFileVersionWindow(const std::string& fileName, const InterfaceTexts& texts) = 0;
  // Takes input away from the wizard window while the question is open, and back.
  virtual void enableWizardWindow(bool enabled) = 0;
  virtual void setFileVersionLabels(const FileVersionLabels& labels) = 0;
  // Waits for Yes or No; every other event, a close request among them, is ignored.
  virtual Answer waitForFileVersionAnswer() = 0;
  virtual void closeFileVersionWindow() = 0;

 protected:
  ~FileVersionWindow() = default;
};

}  // namespace qv
