// The wizard window on Windows, window 1: client area 480 x 335 centred on the screen,
// a title bar only, controls 1 to 37 in their panels (the panels are windows of their
// own that pass their controls' events on), fonts F1 to F6 scaled by the screen, the
// registered colours, the rich-text viewers from the system folder's rich-edit
// library, the pictures, the step list and the progress bar.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "win32/system_library_win32.h"
#include "wizard/wizard_window.h"

namespace qv {

inline constexpr char kWizardWindowClass[] = "QuarvelWizard";
inline constexpr char kWizardPanelClass[] = "QuarvelWizardPanel";

class Win32WizardWindow final : public WizardWindow {
 public:
  ~Win32WizardWindow() { closeWizardWindow(); }

  // The window, for the windows it owns (none until it is built); the slot holds it
  // for those made before it.
  HWND handle() const { return window_; }
  const HWND* handleSlot() const { return &window_; }

  bool buildWizardWindow(const std::string& caption, const InterfaceTexts& texts) override;
  void showWizardWindow() override;
  void closeWizardWindow() override;
  void loadViewer(int control, const std::string& path, bool richText) override;
  void loadPictures(const std::string& sidePicture, const std::string& headerIcon) override;
  WizardEvent waitForWizardEvent() override;
  void setWizardBusy(bool busy) override { state_.busy = busy; }
  void drainWizardEvents() override;
  void addStepLine(const std::string& text) override;
  void replaceStepLine(int line, const std::string& text) override;
  void setProgressRange(int64_t maximum) override;
  void advanceProgress(int64_t position) override;
  std::string browseForFolder(const std::string& prompt) override;
  std::string chooseStartMenuFolder(const std::string& fieldText, const std::string& userPrograms,
                                    const std::string& commonPrograms, const InterfaceTexts& texts) override;

  void showControl(int control, bool shown) override;
  void enableControl(int control, bool enabled) override;
  void setControlText(int control, const std::string& text) override;
  std::string controlText(int control) override;
  void setChecked(int control, bool checked) override;
  bool isChecked(int control) override;
  bool viewerHoldsText(int control) override;

  // For the window's procedure.
  struct State {
    std::vector<WizardEvent> events;  // a few at a time, taken from the front
    bool busy = false;
    HWND controls[38] = {};  // by number; 0 unused
    HBRUSH white = nullptr;
    HBRUSH face = nullptr;
  };

 private:
  HWND control(int number) const;

  HWND window_ = nullptr;
  HFONT fonts_[6] = {};
  HBITMAP sidePicture_ = nullptr;
  HICON headerIcon_ = nullptr;
  std::unique_ptr<SystemLibrary> richEdit_;
  int64_t progressMaximum_ = 0;
  int progressShown_ = -1;     // the bar's position, in pixels of its width
  int progressPending_ = 0;    // the position to show at the next drain
  DWORD lastDrain_ = 0;        // GetTickCount of the last drain
  State state_;
};

}  // namespace qv
