#include "win32/wizard_window_win32.h"

#include <commctrl.h>
#include <richedit.h>
#include <shlobj.h>

#include "runtime/file.h"
#include "runtime/paths.h"
#include "win32/start_menu_picker_win32.h"
#include "win32/window_kit_win32.h"
#include "wizard/wizard_pages.h"

namespace qv {
namespace {

using namespace wizard_control;

const DWORD kStyle = WS_OVERLAPPED | WS_CAPTION;  // a title bar only: no system menu, no close box
const COLORREF kLinkColour = RGB(0, 64, 128);
const int kSeparator = 0xFFFF;  // the etched line has no number of its own
// Repainting more often than this shows nothing more and slows the copying of many
// small files down.
const DWORD kProgressDrainMs = 30;

enum class Kind : unsigned char { WhitePanel, SunkenPanel, Text, CentredText, Picture, Icon, Viewer, Option, Edit, Button, Check,
                  List, Progress, Link };

// One control of the table: its number, the panel it lies in (0 for the window's client
// area), kind, place, font (F1 to F6, 0 for the default GUI font) and first visibility.
// Packed: the table is read once per window and is 37 rows long.
struct ControlRow {
  unsigned char number;
  unsigned char panel;
  Kind kind : 4;
  unsigned char font : 3;  // 1 to 6 in fonts_, 0 for the default GUI font
  unsigned char shown : 1;
  TextId caption;  // TextId::Count: none, or composed (the welcome body, Back, Next)
  short x, y, width, height;
};

const ControlRow kControls[] = {
    {kWelcomePanel, 0, Kind::WhitePanel, 0, true, TextId::Count, 130, 0, 350, 300},
    {kWelcomeTitle, kWelcomePanel, Kind::CentredText, 5, true, TextId::Page01Titel, 10, 10, 330, 60},
    {kWelcomeBody, kWelcomePanel, Kind::Text, 3, true, TextId::Count, 10, 80, 330, 120},
    {kCopyright, kWelcomePanel, Kind::Text, 3, true, TextId::Page01CopyRight, 10, 245, 330, 45},
    {kSidePicture, 0, Kind::Picture, 0, true, TextId::Count, 0, 0, 130, 300},
    {kHeaderBand, 0, Kind::WhitePanel, 0, false, TextId::Count, 0, 0, 480, 48},
    {kHeaderTitle, kHeaderBand, Kind::Text, 2, true, TextId::Page02Titel, 10, 10, 415, 15},
    {kHeaderSubtitle, kHeaderBand, Kind::Text, 1, true, TextId::Page02Msg, 20, 25, 405, 15},
    {kHeaderIcon, kHeaderBand, Kind::Icon, 0, true, TextId::Count, 440, 9, 32, 32},
    {kLicencePanel, 0, Kind::SunkenPanel, 0, false, TextId::Count, 0, 50, 480, 250},
    {kLicenceViewer, kLicencePanel, Kind::Viewer, 0, true, TextId::Count, 10, 10, 455, 190},
    {kAccept, kLicencePanel, Kind::Option, 3, true, TextId::Page02AcceptYes, 10, 208, 455, 15},
    {kDecline, kLicencePanel, Kind::Option, 3, true, TextId::Page02AcceptNo, 10, 227, 455, 15},
    {kSettingsPanel, 0, Kind::SunkenPanel, 0, false, TextId::Count, 0, 50, 480, 250},
    {kInstallFolderLabel, kSettingsPanel, Kind::Text, 4, true, TextId::Page03ProgDir, 10, 30, 375, 15},
    {kInstallFolderField, kSettingsPanel, Kind::Edit, 0, true, TextId::Count, 10, 55, 300, 20},
    {kInstallFolderChange, kSettingsPanel, Kind::Button, 0, true, TextId::ButtonChange, 315, 55, 65, 20},
    {kStartMenuLabel, kSettingsPanel, Kind::Text, 4, true, TextId::Page03MenuDir, 10, 115, 375, 15},
    {kStartMenuField, kSettingsPanel, Kind::Edit, 0, true, TextId::Count, 10, 140, 175, 20},
    {kStartMenuChange, kSettingsPanel, Kind::Button, 0, true, TextId::ButtonChange, 190, 140, 65, 20},
    {kNoStartMenu, kSettingsPanel, Kind::Check, 1, true, TextId::Page03NoStartMenu, 10, 165, 370, 15},
    {kDesktopIcon, kSettingsPanel, Kind::Check, 3, true, TextId::Page03DesktopIcon, 10, 225, 370, 15},
    {kReadmePanel, 0, Kind::SunkenPanel, 0, false, TextId::Count, 0, 50, 480, 250},
    {kReadmeViewer, kReadmePanel, Kind::Viewer, 0, true, TextId::Count, 10, 10, 455, 225},
    {kInstallPanel, 0, Kind::WhitePanel, 0, false, TextId::Count, 130, 0, 350, 300},
    {kInstallTitle, kInstallPanel, Kind::CentredText, 5, true, TextId::Page05Titel1, 10, 15, 330, 50},
    {kInstallPrompt, kInstallPanel, Kind::CentredText, 3, true, TextId::Page05Msg, 10, 260, 330, 40},
    {kStatusLine, kInstallPanel, Kind::Text, 4, true, TextId::Count, 10, 75, 330, 15},
    {kRunProgram, kInstallPanel, Kind::Check, 3, false, TextId::Page05RunProg, 10, 245, 330, 15},
    {kStepList, kInstallPanel, Kind::List, 0, true, TextId::Count, 10, 100, 330, 130},
    {kProgressBar, kInstallPanel, Kind::Progress, 0, false, TextId::Count, 10, 245, 330, 20},
    {kLink, 0, Kind::Link, 2, true, TextId::Count, 10, 310, 240, 15},
    {kBack, 0, Kind::Button, 0, false, TextId::Count, 250, 307, 65, 22},
    {kNext, 0, Kind::Button, 0, true, TextId::Count, 320, 307, 65, 22},
    {kInstall, 0, Kind::Button, 6, false, TextId::ButtonInstall, 325, 307, 80, 22},
    {kCancel, 0, Kind::Button, 0, true, TextId::ButtonCancel, 415, 307, 60, 22},
    {kFinish, 0, Kind::Button, 0, false, TextId::ButtonFinish, 415, 307, 60, 22},
};

std::string controlCaption(const ControlRow& row, const InterfaceTexts& texts) {
  switch (row.number) {
    case kWelcomeBody: return welcomeBody(texts);
    case kBack: return backButtonCaption(texts);
    case kNext: return nextButtonCaption(texts);
    default: return row.caption == TextId::Count ? std::string() : texts.text(row.caption);
  }
}

bool isWhitePanelChild(int number) {
  for (const ControlRow& row : kControls) {
    if (row.number != number) continue;
    for (const ControlRow& panel : kControls)
      if (panel.number == row.panel) return panel.kind == Kind::WhitePanel;
  }
  return false;
}

// The colours of the controls that have registered ones: check box 36 black on white,
// the link in its colour, the static texts of the white panels on white.
LRESULT controlColour(Win32WizardWindow::State& state, UINT message, HDC dc, HWND child) {
  const int number = GetDlgCtrlID(child);
  if (number == kRunProgram || (message == WM_CTLCOLORSTATIC && number != kLink && isWhitePanelChild(number))) {
    SetTextColor(dc, number == kRunProgram ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(state.white);
  }
  if (number == kLink && message == WM_CTLCOLORSTATIC) {
    SetTextColor(dc, kLinkColour);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(state.face);
  }
  return -1;
}

bool isShownAndEnabled(const Win32WizardWindow::State& state, int number) {
  HWND control = state.controls[number];
  return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

void queueEvent(Win32WizardWindow::State& state, WizardEvent::Kind kind, int control) {
  if (state.busy) return;  // pressed while the install run works: no effect
  WizardEvent event;
  event.kind = kind;
  event.control = control;
  state.events.push_back(event);
}

LRESULT CALLBACK wizardProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = windowState<Win32WizardWindow::State>(window, message, lParam);
  if (state) {
    switch (message) {
      case WM_COMMAND: {
        const int number = LOWORD(wParam), code = HIWORD(wParam);
        if (number == IDOK || number == IDCANCEL) {
          // The dialog keys: Return presses whichever of Next, Install or Finish is
          // shown and enabled, Escape presses Cancel while it is shown.
          if (number == IDCANCEL && isShownAndEnabled(*state, kCancel))
            queueEvent(*state, WizardEvent::Kind::Pressed, kCancel);
          if (number == IDOK) {
            for (int button : {kNext, kInstall, kFinish}) {
              if (!isShownAndEnabled(*state, button)) continue;
              queueEvent(*state, WizardEvent::Kind::Pressed, button);
              break;
            }
          }
          return 0;
        }
        if (code == EN_KILLFOCUS && (number == kInstallFolderField || number == kStartMenuField))
          queueEvent(*state, WizardEvent::Kind::FocusLost, number);
        else if (code == BN_CLICKED)  // also STN_CLICKED, the link's click: the same code
          queueEvent(*state, WizardEvent::Kind::Pressed, number);
        return 0;
      }
      case DM_GETDEFID:
        return 0;  // no default button: Return comes as IDOK and is placed above
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
      case WM_CTLCOLORBTN: {
        LRESULT brush = controlColour(*state, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (brush != -1) return brush;
        break;
      }
      case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == state->controls[kLink]) {
          SetCursor(LoadCursor(nullptr, IDC_HAND));
          return TRUE;
        }
        break;
      case WM_CLOSE:
        queueEvent(*state, WizardEvent::Kind::CloseRequest, 0);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A panel is a window of its own: it passes its controls' events and colour requests
// on to the wizard window, and paints itself white or in the face colour.
LRESULT CALLBACK panelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return SendMessageA(GetAncestor(panel, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(panel, &area);
      const bool white = GetWindowLongPtrA(panel, GWLP_USERDATA) != 0;
      FillRect(reinterpret_cast<HDC>(wParam), &area,
               white ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)) : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      return DefWindowProcA(panel, message, wParam, lParam);
  }
}

bool registerPanelClass() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = panelProcedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kWizardPanelClass;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The window class and style of a control of the table.
void classOf(Kind kind, const char* richEdit, const char*& className, DWORD& style, DWORD& exStyle) {
  exStyle = 0;
  switch (kind) {
    case Kind::WhitePanel:
    case Kind::SunkenPanel:
      className = kWizardPanelClass;
      style = WS_CLIPCHILDREN;
      exStyle = WS_EX_CONTROLPARENT | (kind == Kind::SunkenPanel ? WS_EX_STATICEDGE : 0);
      return;
    case Kind::Text: className = "STATIC"; style = SS_LEFT | SS_NOPREFIX; return;
    case Kind::CentredText: className = "STATIC"; style = SS_CENTER | SS_NOPREFIX; return;
    case Kind::Picture: className = "STATIC"; style = SS_BITMAP | SS_CENTERIMAGE; return;
    case Kind::Icon: className = "STATIC"; style = SS_ICON | SS_CENTERIMAGE; return;
    case Kind::Viewer:
      className = richEdit;
      style = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      return;
    case Kind::Option: className = "BUTTON"; style = BS_AUTORADIOBUTTON | WS_TABSTOP; return;
    case Kind::Edit:
      className = "EDIT";
      style = ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle = WS_EX_CLIENTEDGE;
      return;
    case Kind::Button: className = "BUTTON"; style = BS_PUSHBUTTON | WS_TABSTOP; return;
    case Kind::Check: className = "BUTTON"; style = BS_AUTOCHECKBOX | WS_TABSTOP; return;
    case Kind::List:
      className = "LISTBOX";
      style = LBS_NOINTEGRALHEIGHT | LBS_NOSEL | WS_VSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      return;
    case Kind::Progress: className = PROGRESS_CLASSA; style = 0; return;
    case Kind::Link: className = "STATIC"; style = SS_LEFT | SS_NOPREFIX | SS_NOTIFY; return;
  }
}

// Streams a file into a rich-text viewer: the callback reads it piece by piece.
DWORD CALLBACK readForViewer(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
  File* file = reinterpret_cast<File*>(cookie);
  *got = LONG(file->read(buffer, size_t(wanted > 0 ? wanted : 0)));
  return 0;
}

}  // namespace

HWND Win32WizardWindow::control(int number) const {
  return number > 0 && number < 38 ? state_.controls[number] : nullptr;
}

bool Win32WizardWindow::buildWizardWindow(const std::string& caption, const InterfaceTexts& texts) {
  closeWizardWindow();
  INITCOMMONCONTROLSEX common = {sizeof(common), ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  // The rich-edit control of the system folder: version 2 and later, else version 1.
  const char* richEditClass = "RichEdit20A";
  richEdit_.reset(new SystemLibrary("riched20.dll"));
  if (!richEdit_->isLoaded()) {
    richEdit_.reset(new SystemLibrary("riched32.dll"));
    richEditClass = "RICHEDIT";
  }
  if (!richEdit_->isLoaded() || !registerWindowClass(kWizardWindowClass, wizardProcedure) || !registerPanelClass())
    return false;

  static const struct {
    const char* face;
    uint8_t points;
    bool bold;
  } fonts[] = {{"Arial", 8, false}, {"Arial", 8, true},  {"Arial", 9, false},
               {"Arial", 9, true},  {"Arial", 12, true}, {"MS Sans Serif", 8, true}};
  for (int i = 0; i < 6; ++i) fonts_[i] = createPointFont(fonts[i].face, fonts[i].points, fonts[i].bold);
  state_.white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  state_.face = GetSysColorBrush(COLOR_BTNFACE);

  window_ = createSizedWindow(kWizardWindowClass, caption, kStyle, 480, 335, Placement::Screen, &state_);
  if (!window_) return false;
  for (const ControlRow& row : kControls) {
    const char* className = nullptr;
    DWORD style = 0, exStyle = 0;
    classOf(row.kind, richEditClass, className, style, exStyle);
    const std::string text = controlCaption(row, texts);
    HWND parent = row.panel ? state_.controls[row.panel] : window_;
    ControlLayout layout{row.number, className, text.c_str(), style, row.x, row.y, row.width, row.height,
                     row.font ? fonts_[row.font - 1] : nullptr, exStyle};
    HWND made = createControl(parent, layout);
    if (!made) {
      closeWizardWindow();
      return false;
    }
    if (row.kind == Kind::WhitePanel) SetWindowLongPtrA(made, GWLP_USERDATA, 1);
    if (!row.shown) ShowWindow(made, SW_HIDE);
    state_.controls[row.number] = made;
  }
  static const ControlLayout kSeparatorLine = {kSeparator, "STATIC", "", SS_ETCHEDHORZ, 0, 300, 483, 2};
  if (!createControl(window_, kSeparatorLine)) {
    closeWizardWindow();
    return false;
  }
  SendMessageA(control(kProgressBar), PBM_SETRANGE32, 0, 100);
  SendMessageA(control(kLicenceViewer), EM_SETEVENTMASK, 0, 0);
  SendMessageA(control(kReadmeViewer), EM_SETEVENTMASK, 0, 0);
  // The built-in header icon until the setup's own replaces it.
  HICON builtIn = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
  if (builtIn) {
    headerIcon_ = builtIn;
    SendMessageA(control(kHeaderIcon), STM_SETICON, WPARAM(builtIn), 0);
  }
  return true;
}

void Win32WizardWindow::showWizardWindow() {
  if (!window_) return;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(control(kNext));
  UpdateWindow(window_);
}

void Win32WizardWindow::closeWizardWindow() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  // Cleared in place, where the procedure of the next window finds it.
  state_.events.clear();
  state_.busy = false;
  for (HWND& made : state_.controls) made = nullptr;
  state_.white = state_.face = nullptr;
  if (sidePicture_) DeleteObject(sidePicture_);
  if (headerIcon_) DestroyIcon(headerIcon_);
  sidePicture_ = nullptr;
  headerIcon_ = nullptr;
  for (HFONT& font : fonts_) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
  richEdit_.reset();
}

void Win32WizardWindow::loadViewer(int number, const std::string& path, bool richText) {
  HWND viewer = control(number);
  File file;
  if (!viewer || !file.open(path, File::Mode::Read)) return;
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&file);
  stream.pfnCallback = readForViewer;
  SendMessageA(viewer, EM_STREAMIN, richText ? SF_RTF : SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

void Win32WizardWindow::loadPictures(const std::string& sidePicture, const std::string& headerIcon) {
  if (!sidePicture.empty()) {
    auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, sidePicture.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (bitmap) {
      if (sidePicture_) DeleteObject(sidePicture_);
      sidePicture_ = bitmap;
      SendMessageA(control(kSidePicture), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
  }
  if (!headerIcon.empty()) {
    auto icon = static_cast<HICON>(LoadImageA(nullptr, headerIcon.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    if (icon) {
      if (headerIcon_) DestroyIcon(headerIcon_);
      headerIcon_ = icon;
      SendMessageA(control(kHeaderIcon), STM_SETICON, WPARAM(icon), 0);
    }
  }
}

WizardEvent Win32WizardWindow::waitForWizardEvent() {
  MSG message;
  while (window_ && state_.events.empty()) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(int(message.wParam));  // for the caller's loop
      break;
    }
    if (got == -1) break;
    if (IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (state_.events.empty()) return WizardEvent();
  WizardEvent event = state_.events.front();
  state_.events.erase(state_.events.begin());
  return event;
}

void Win32WizardWindow::drainWizardEvents() {
  if (progressPending_ != progressShown_ && progressMaximum_ > 0) {
    SendMessageA(control(kProgressBar), PBM_SETPOS, WPARAM(progressPending_), 0);
    progressShown_ = progressPending_;
  }
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      break;
    }
    if (isInputMessage(message.message)) continue;  // pressed meanwhile: no effect
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  state_.events.clear();
  lastDrain_ = GetTickCount();
}

void Win32WizardWindow::addStepLine(const std::string& text) {
  SendMessageA(control(kStepList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32WizardWindow::replaceStepLine(int line, const std::string& text) {
  HWND list = control(kStepList);
  SendMessageA(list, LB_DELETESTRING, WPARAM(line), 0);
  SendMessageA(list, LB_INSERTSTRING, WPARAM(line), reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32WizardWindow::setProgressRange(int64_t maximum) {
  // The bar counts in pixels of its width: a position that moves no pixel is not sent,
  // and no range overflows its 31 bits.
  RECT bar = {};
  GetClientRect(control(kProgressBar), &bar);
  progressMaximum_ = maximum;
  progressPending_ = 0;
  progressShown_ = -1;
  SendMessageA(control(kProgressBar), PBM_SETRANGE32, 0, bar.right > 0 ? bar.right : 1);
}

void Win32WizardWindow::advanceProgress(int64_t position) {
  RECT bar = {};
  GetClientRect(control(kProgressBar), &bar);
  if (progressMaximum_ > 0 && position >= 0)
    // In floating point: a 64-bit division would bring in the compiler's library routine.
    progressPending_ = position >= progressMaximum_ ? bar.right
                                                    : int(double(bar.right) * double(position) / double(progressMaximum_));
  if (GetTickCount() - lastDrain_ >= kProgressDrainMs) drainWizardEvents();
}

std::string Win32WizardWindow::browseForFolder(const std::string& prompt) {
  char name[MAX_PATH] = "";
  BROWSEINFOA browse = {};
  browse.hwndOwner = GetActiveWindow();
  browse.pszDisplayName = name;
  browse.lpszTitle = prompt.c_str();
  browse.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (!chosen) return std::string();
  char path[MAX_PATH] = "";
  const bool found = SHGetPathFromIDListA(chosen, path) != FALSE;
  CoTaskMemFree(chosen);
  return found && path[0] ? withTrailingBackslash(path) : std::string();
}

std::string Win32WizardWindow::chooseStartMenuFolder(const std::string& fieldText, const std::string& userPrograms,
                                                     const std::string& commonPrograms, const InterfaceTexts& texts) {
  return pickStartMenuFolder(window_, fieldText, userPrograms, commonPrograms, texts);
}

void Win32WizardWindow::showControl(int number, bool shown) {
  if (HWND c = control(number)) ShowWindow(c, shown ? SW_SHOW : SW_HIDE);
}

void Win32WizardWindow::enableControl(int number, bool enabled) {
  if (HWND c = control(number)) EnableWindow(c, enabled ? TRUE : FALSE);
}

void Win32WizardWindow::setControlText(int number, const std::string& text) {
  if (HWND c = control(number)) SetWindowTextA(c, text.c_str());
}

std::string Win32WizardWindow::controlText(int number) {
  HWND c = control(number);
  return c ? qv::controlText(GetAncestor(c, GA_PARENT), number) : std::string();
}

void Win32WizardWindow::setChecked(int number, bool checked) {
  SendMessageA(control(number), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  // The two options of the licence page are one group: one checked clears the other.
  if (checked && (number == kAccept || number == kDecline))
    SendMessageA(control(number == kAccept ? kDecline : kAccept), BM_SETCHECK, BST_UNCHECKED, 0);
}

bool Win32WizardWindow::isChecked(int number) {
  return SendMessageA(control(number), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Win32WizardWindow::viewerHoldsText(int number) {
  return SendMessageA(control(number), WM_GETTEXTLENGTH, 0, 0) > 0;
}

}  // namespace qv
