#include "win32/file_version_window_win32.h"

namespace qv {
namespace {

const DWORD kStyle = WS_POPUP | WS_CAPTION;  // a title bar, but no system menu and so no close box
const int kClientWidth = 340;
const int kClientHeight = 236;

LRESULT CALLBACK fileVersionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* state = reinterpret_cast<Win32FileVersionWindow::State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
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

bool registerFileVersionClass(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = fileVersionProcedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFileVersionWindowClass;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y, int w,
                   int h, int number, HFONT font) {
  HWND control = CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), GetModuleHandleA(nullptr),
                                 nullptr);
  if (control) SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
  return control;
}

// The window's place: its centre on the centre of the active window, or of the
// screen when no window of this thread is active.
POINT centredPlace(int width, int height) {
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HWND active = GetActiveWindow();
  if (active && IsWindowVisible(active)) GetWindowRect(active, &area);
  POINT place = {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
  return place;
}

HFONT createQuestionFont() {
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(8, screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96, 72);
  if (screen) ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

}  // namespace

bool Win32FileVersionWindow::openFileVersionWindow(const std::string& fileName, const InterfaceTexts& texts) {
  closeFileVersionWindow();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registerFileVersionClass(instance)) return false;

  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  POINT place = centredPlace(width, height);

  state_ = State();
  std::string caption = " " + texts.text(TextId::FileVersionWindow) + "  '" + fileName + "'";
  // Created hidden and shown once its controls are in place.
  window_ = CreateWindowExA(0, kFileVersionWindowClass, caption.c_str(), kStyle, place.x, place.y, width, height,
                            nullptr, nullptr, instance, &state_);
  if (!window_) return false;

  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  questionFont_ = createQuestionFont();
  const DWORD frameStyle = BS_GROUPBOX;
  const DWORD nameStyle = SS_RIGHT;
  const DWORD valueStyle = SS_LEFT | SS_NOPREFIX;  // file descriptions may hold "&"
  const DWORD buttonStyle = BS_PUSHBUTTON | WS_TABSTOP;
  struct Control {
    int number;
    const char* className;
    DWORD style;
    int x, y, w, h;
    const std::string* text;
  };
  const std::string none;
  const Control controls[] = {
      {44, "BUTTON", frameStyle, 10, 5, 320, 85, &texts.text(TextId::FileVersionFrameOld)},
      {45, "STATIC", nameStyle, 20, 25, 80, 15, &texts.text(TextId::FileVersionVersion)},
      {46, "STATIC", nameStyle, 20, 45, 80, 15, &texts.text(TextId::FileVersionLang)},
      {47, "STATIC", nameStyle, 20, 65, 80, 15, &texts.text(TextId::FileVersionDesc)},
      {48, "STATIC", valueStyle, 105, 25, 215, 15, &none},
      {49, "STATIC", valueStyle, 105, 45, 215, 15, &none},
      {50, "STATIC", valueStyle, 105, 65, 215, 15, &none},
      {51, "STATIC", SS_LEFT, 10, 100, 320, 15, &texts.text(TextId::FileVersionMsg)},
      {52, "BUTTON", frameStyle, 10, 120, 320, 85, &texts.text(TextId::FileVersionFrameNew)},
      {53, "STATIC", nameStyle, 20, 140, 80, 15, &texts.text(TextId::FileVersionVersion)},
      {54, "STATIC", nameStyle, 20, 160, 80, 15, &texts.text(TextId::FileVersionLang)},
      {55, "STATIC", nameStyle, 20, 180, 80, 15, &texts.text(TextId::FileVersionDesc)},
      {56, "STATIC", valueStyle, 105, 140, 215, 15, &none},
      {57, "STATIC", valueStyle, 105, 160, 215, 15, &none},
      {58, "STATIC", valueStyle, 105, 180, 215, 15, &none},
      {59, "BUTTON", buttonStyle, 100, 210, 60, 20, &texts.text(TextId::ButtonYes)},
      {60, "BUTTON", buttonStyle, 180, 210, 60, 20, &texts.text(TextId::ButtonNo)},
  };
  for (const Control& c : controls) {
    HFONT controlFont = c.number == kFileVersionQuestion && questionFont_ ? questionFont_ : font;
    if (!createControl(window_, c.className, *c.text, c.style, c.x, c.y, c.w, c.h, c.number, controlFont)) {
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
  if (wizard_) EnableWindow(wizard_, enabled ? TRUE : FALSE);
}

void Win32FileVersionWindow::setFileVersionLabels(const FileVersionLabels& labels) {
  if (!window_) return;
  SetDlgItemTextA(window_, kFileVersionCurrentVersion, labels.currentVersion.c_str());
  SetDlgItemTextA(window_, kFileVersionCurrentLanguage, labels.currentLanguage.c_str());
  SetDlgItemTextA(window_, kFileVersionCurrentDescription, labels.currentDescription.c_str());
  SetDlgItemTextA(window_, kFileVersionNewVersion, labels.newVersion.c_str());
  SetDlgItemTextA(window_, kFileVersionNewLanguage, labels.newLanguage.c_str());
  SetDlgItemTextA(window_, kFileVersionNewDescription, labels.newDescription.c_str());
}

FileVersionWindow::Answer Win32FileVersionWindow::waitForFileVersionAnswer() {
  bool quitRequested = false;
  int quitCode = 0;
  MSG message;
  while (window_ && state_.answer == 0) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // The question still wants its answer; the quit request is the caller's loop's.
      quitRequested = true;
      quitCode = int(message.wParam);
      continue;
    }
    if (IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (quitRequested) PostQuitMessage(quitCode);
  return state_.answer == kFileVersionYes ? Answer::Yes : Answer::No;
}

void Win32FileVersionWindow::closeFileVersionWindow() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  if (questionFont_) DeleteObject(questionFont_);
  questionFont_ = nullptr;
}

}  // namespace qv
