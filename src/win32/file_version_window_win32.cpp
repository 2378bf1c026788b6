#include "win32/file_version_window_win32.h"

#include "win32/window_kit_win32.h"

namespace qv {
namespace {

const DWORD kStyle = WS_POPUP | WS_CAPTION;  // a title bar, but no system menu and so no close box
const int kClientWidth = 340;
const int kClientHeight = 236;

const DWORD kFrame = BS_GROUPBOX;
const DWORD kName = SS_RIGHT;
const DWORD kValue = SS_LEFT | SS_NOPREFIX;  // file descriptions may hold "&"
const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
const TextId kNoText = TextId(0xFF);  // the value labels, filled in afterwards

// The window's controls: number, text, style (frames and buttons are BUTTONs, the rest
// STATICs) and place.
struct ControlRow {
  unsigned char number;
  TextId text;
  DWORD style;
  short x, y, width, height;
};

const ControlRow kControls[] = {
    {kFileVersionFrameOld, TextId::FileVersionFrameOld, kFrame, 10, 5, 320, 85},
    {45, TextId::FileVersionVersion, kName, 20, 25, 80, 15},
    {46, TextId::FileVersionLang, kName, 20, 45, 80, 15},
    {47, TextId::FileVersionDesc, kName, 20, 65, 80, 15},
    {kFileVersionCurrentVersion, kNoText, kValue, 105, 25, 215, 15},
    {kFileVersionCurrentLanguage, kNoText, kValue, 105, 45, 215, 15},
    {kFileVersionCurrentDescription, kNoText, kValue, 105, 65, 215, 15},
    {kFileVersionQuestion, TextId::FileVersionMsg, SS_LEFT, 10, 100, 320, 15},
    {kFileVersionFrameNew, TextId::FileVersionFrameNew, kFrame, 10, 120, 320, 85},
    {53, TextId::FileVersionVersion, kName, 20, 140, 80, 15},
    {54, TextId::FileVersionLang, kName, 20, 160, 80, 15},
    {55, TextId::FileVersionDesc, kName, 20, 180, 80, 15},
    {kFileVersionNewVersion, kNoText, kValue, 105, 140, 215, 15},
    {kFileVersionNewLanguage, kNoText, kValue, 105, 160, 215, 15},
    {kFileVersionNewDescription, kNoText, kValue, 105, 180, 215, 15},
    {kFileVersionYes, TextId::ButtonYes, kButton, 100, 210, 60, 20},
    {kFileVersionNo, TextId::ButtonNo, kButton, 180, 210, 60, 20},
};

LRESULT CALLBACK fileVersionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = windowState<Win32FileVersionWindow::State>(window, message, lParam);
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && state) {
    int control = LOWORD(wParam);
    if (control == kFileVersionYes || control == kFileVersionNo) {
      state->answer = control;
      // A click sent from elsewhere is handled inside the wait's GetMessage, which
      // returns only for a posted message: post one, so the wait sees the answer.
      PostMessageA(window, WM_NULL, 0, 0);
    }
    return 0;
  }
  // Only Yes or No answers the question; a close request is not one.
  if (message == WM_CLOSE) return 0;
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool Win32FileVersionWindow::openFileVersionWindow(const std::string& fileName, const InterfaceTexts& texts) {
  closeFileVersionWindow();
  if (!registerWindowClass(kFileVersionWindowClass, fileVersionProcedure)) return false;
  state_ = State();
  // Created hidden and shown once its controls are in place.
  window_ = createSizedWindow(kFileVersionWindowClass, texts.text(TextId::FileVersionWindow) + "  '" + fileName + "'",
                              kStyle, kClientWidth, kClientHeight, Placement::ActiveWindow, &state_);
  if (!window_) return false;

  questionFont_ = createPointFont("Arial", 8, true);
  for (const ControlRow& row : kControls) {
    const bool button = row.style == kFrame || row.style == kButton;
    ControlLayout control{row.number, button ? "BUTTON" : "STATIC",
                        row.text == kNoText ? "" : texts.text(row.text).c_str(), row.style,
                        row.x, row.y, row.width, row.height};
    if (row.number == kFileVersionQuestion) control.font = questionFont_;
    if (!createControl(window_, control)) {
      closeFileVersionWindow();
      return false;
    }
  }

  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(GetDlgItem(window_, kFileVersionYes));
  return true;
}

void Win32FileVersionWindow::enableWizardWindow(bool enabled) {
  if (wizard_ && *wizard_) EnableWindow(*wizard_, enabled ? TRUE : FALSE);
}

void Win32FileVersionWindow::setFileVersionLabels(const FileVersionLabels& labels) {
  if (!window_) return;
  setControlText(window_, kFileVersionCurrentVersion, labels.currentVersion.c_str());
  setControlText(window_, kFileVersionCurrentLanguage, labels.currentLanguage.c_str());
  setControlText(window_, kFileVersionCurrentDescription, labels.currentDescription.c_str());
  setControlText(window_, kFileVersionNewVersion, labels.newVersion.c_str());
  setControlText(window_, kFileVersionNewLanguage, labels.newLanguage.c_str());
  setControlText(window_, kFileVersionNewDescription, labels.newDescription.c_str());
}

FileVersionWindow::Answer Win32FileVersionWindow::waitForFileVersionAnswer() {
  // The question still wants its answer when a quit request comes: it is passed on
  // to the caller's loop afterwards.
  WaitRules rules;
  rules.endsOnQuit = false;
  if (window_) waitForWindow(window_, rules, [&] { return state_.answer != 0; });
  return state_.answer == kFileVersionYes ? Answer::Yes : Answer::No;
}

void Win32FileVersionWindow::closeFileVersionWindow() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  if (questionFont_) DeleteObject(questionFont_);
  questionFont_ = nullptr;
}

}  // namespace qv
