// The file-version window, window 4: a file about to be replaced, its version data
// and the new file's, and the question Yes or No. Caption " " + FileVersion/Window +
// "  '" + file name + "'", title bar without system menu, client area 340 x 236,
// centred on the active window (the screen when there is none).
//
// Control numbers:
//   44        group box FileVersion/FrameOld          52        group box FileVersion/FrameNew
//   45 46 47  labels Version, Lang, Desc (current)    53 54 55  the same (new file)
//   48 49 50  current version, language, description  56 57 58  new version, language, description
//   51        the question FileVersion/Msg, Arial 8 bold
//   59        Yes (Buttons/Yes)                        60        No (Buttons/No)
#pragma once

#include <windows.h>

#include "install/file_version_window.h"

namespace qv {

constexpr int kFileVersionFrameOld = 44;
constexpr int kFileVersionCurrentVersion = 48;
constexpr int kFileVersionCurrentLanguage = 49;
constexpr int kFileVersionCurrentDescription = 50;
constexpr int kFileVersionQuestion = 51;
constexpr int kFileVersionFrameNew = 52;
constexpr int kFileVersionNewVersion = 56;
constexpr int kFileVersionNewLanguage = 57;
constexpr int kFileVersionNewDescription = 58;
constexpr int kFileVersionYes = 59;
constexpr int kFileVersionNo = 60;

inline constexpr char kFileVersionWindowClass[] = "QuarvelFileVersion";

class Win32FileVersionWindow final : public FileVersionWindow {
 public:
  // `wizardWindow` holds the window that loses input while the question is open: the
  // wizard's, which may be built after this object; none in the quiet run.
  explicit Win32FileVersionWindow(const HWND* wizardWindow = nullptr) : wizard_(wizardWindow) {}
  ~Win32FileVersionWindow() { closeFileVersionWindow(); }

  bool openFileVersionWindow(const std::string& fileName, const InterfaceTexts& texts) override;
  void enableWizardWindow(bool enabled) override;
  void setFileVersionLabels(const FileVersionLabels& labels) override;
  Answer waitForFileVersionAnswer() override;
  void closeFileVersionWindow() override;

  struct State {
    int answer = 0;  // 0 while waiting, else the button pressed
  };

 private:
  const HWND* wizard_ = nullptr;
  HWND window_ = nullptr;
  HFONT questionFont_ = nullptr;
  State state_;
};

}  // namespace qv
