// The wizard window (window 1) as the wizard run drives it: its controls by number,
// the events it reports, and the operations of the page logic and the install run.
// The Windows side is win32/wizard_window_win32.h; tests pass their own.
#pragma once

#include <cstdint>
#include <string>

#include "texts/interface_texts.h"

namespace qv {

// The control numbers the events name.
namespace wizard_control {
constexpr int kHeaderBand = 1;        // panel: title, subtitle and icon of pages 2 to 4
constexpr int kHeaderSubtitle = 2;
constexpr int kHeaderIcon = 3;        // picture 1
constexpr int kLink = 4;              // the homepage address, opened on a click
constexpr int kBack = 5;
constexpr int kNext = 6;
constexpr int kCancel = 7;
constexpr int kInstall = 8;
constexpr int kFinish = 9;
constexpr int kReadmePanel = 10;      // page 4
constexpr int kReadmeViewer = 11;
constexpr int kLicencePanel = 12;     // page 2
constexpr int kLicenceViewer = 13;
constexpr int kAccept = 14;
constexpr int kDecline = 15;
constexpr int kSettingsPanel = 16;    // page 3
constexpr int kHeaderTitle = 17;
constexpr int kInstallFolderLabel = 18;
constexpr int kInstallFolderField = 19;
constexpr int kInstallFolderChange = 20;
constexpr int kStartMenuLabel = 21;
constexpr int kStartMenuField = 22;
constexpr int kStartMenuChange = 23;
constexpr int kNoStartMenu = 24;
constexpr int kDesktopIcon = 25;
constexpr int kWelcomePanel = 26;     // page 1
constexpr int kWelcomeTitle = 27;
constexpr int kWelcomeBody = 28;
constexpr int kCopyright = 29;
constexpr int kSidePicture = 30;      // picture 2, on pages 1 and 5
constexpr int kInstallPanel = 31;     // page 5
constexpr int kInstallTitle = 32;
constexpr int kInstallPrompt = 33;
constexpr int kStatusLine = 34;
constexpr int kStepList = 35;
constexpr int kRunProgram = 36;
constexpr int kProgressBar = 37;
}  // namespace wizard_control

// What the window reports to the wizard run's event loop.
struct WizardEvent {
  enum class Kind {
    Pressed,       // a button, option, check box or the link; `control` names it
    FocusLost,     // an edit field lost the keyboard focus; `control` names it
    CloseRequest,  // the window was asked to close
    Gone,          // the window or the program's events are gone: the loop ends
  };
  Kind kind = Kind::Gone;
  int control = 0;
};

// The controls as the page logic sees them.
class WizardControls {
 public:
  virtual void showControl(int control, bool shown) = 0;
  virtual void enableControl(int control, bool enabled) = 0;
  virtual void setControlText(int control, const std::string& text) = 0;
  virtual std::string controlText(int control) = 0;
  virtual void setChecked(int control, bool checked) = 0;
  virtual bool isChecked(int control) = 0;
  // Whether a text viewer (11 or 13) holds any text.
  virtual bool viewerHoldsText(int control) = 0;

 protected:
  ~WizardControls() = default;
};

class WizardWindow : public WizardControls {
 public:
  // Creates the fonts, the window (hidden) and every control with its texts and first
  // state; false when the window or a control cannot be made. `caption` is the title
  // and version; a blank goes before it.
  virtual bool buildWizardWindow(const std::string& caption, const InterfaceTexts& texts) = 0;
  virtual void showWizardWindow() = 0;
  // Closes the window and frees its pictures.
  virtual void closeWizardWindow() = 0;
  // Loads a file into a viewer, as rich text or as plain text.
  virtual void loadViewer(int control, const std::string& path, bool richText) = 0;
  // The side picture from a bitmap file and the header icon from an icon file; an
  // empty path or a file that cannot be loaded keeps the picture as it is.
  virtual void loadPictures(const std::string& sidePicture, const std::string& headerIcon) = 0;
  // Waits for the next event of the window.
  virtual WizardEvent waitForWizardEvent() = 0;
  // While busy (the install run), what the user does in the window has no effect; the
  // run drains the events after each visible change so the window repaints.
  virtual void setWizardBusy(bool busy) = 0;
  virtual void drainWizardEvents() = 0;
  // The step list and the progress bar of page 5.
  virtual void addStepLine(const std::string& text) = 0;
  virtual void replaceStepLine(int line, const std::string& text) = 0;
  virtual void setProgressRange(int64_t maximum) = 0;
  // After each file: moves the bar and lets the window repaint, the events drained as
  // by drainWizardEvents, though no more often than the eye can tell (draining and
  // repainting after each of many small files would cost more than copying them). A
  // drain afterwards shows the last position.
  virtual void advanceProgress(int64_t position) = 0;
  // The system's folder browser with `prompt` above its tree: the chosen folder with a
  // trailing backslash, or empty when cancelled.
  virtual std::string browseForFolder(const std::string& prompt) = 0;
  // The start-menu folder picker (window 2), the wizard disabled meanwhile: the picked
  // folder relative to a Programs folder, "|" and that Programs folder, or empty.
  virtual std::string chooseStartMenuFolder(const std::string& fieldText, const std::string& userPrograms,
                                            const std::string& commonPrograms, const InterfaceTexts& texts) = 0;
};

}  // namespace qv
