#include "win32/window_kit_win32.h"

namespace qv {
namespace {

POINT centredIn(const RECT& area, int width, int height) {
  return POINT{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

}  // namespace

bool registerWindowClass(const char* className, WNDPROC procedure) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND createSizedWindow(const char* className, std::string_view caption, DWORD style, int width, int height,
                       Placement placement, void* state, HWND owner) {
  std::string shown = " ";
  shown += caption;
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  int outerWidth = frame.right - frame.left, outerHeight = frame.bottom - frame.top;
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HWND active = placement == Placement::ActiveWindow ? GetActiveWindow() : nullptr;
  if (active && IsWindowVisible(active)) GetWindowRect(active, &area);
  POINT place = centredIn(area, outerWidth, outerHeight);
  return CreateWindowExA(0, className, shown.c_str(), style, place.x, place.y, outerWidth, outerHeight, owner,
                         nullptr, GetModuleHandleA(nullptr), state);
}

HWND createControl(HWND parent, const ControlLayout& layout) {
  HWND control = CreateWindowExA(layout.exStyle, layout.className, layout.text, WS_CHILD | WS_VISIBLE | layout.style,
                                 layout.x, layout.y, layout.width, layout.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.number)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control) {
    HFONT font = layout.font ? layout.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
  }
  return control;
}

HFONT createPointFont(const char* face, int points, bool bold) {
  HDC screen = GetDC(nullptr);
  // Points to pixels, rounded to the nearest.
  const int dotsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  int height = -((points * dotsPerInch + 36) / 72);
  if (screen) ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

std::string controlText(HWND window, int number) {
  HWND control = GetDlgItem(window, number);
  if (!control) return std::string();
  int length = int(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) return std::string();
  std::string text(size_t(length) + 1, '\0');
  int got = GetWindowTextA(control, &text[0], length + 1);
  text.resize(got > 0 && got <= length ? size_t(got) : 0);
  return text;
}

void setControlText(HWND window, int number, const char* text) { SetWindowTextA(GetDlgItem(window, number), text); }

bool createTextedControls(HWND parent, const TextedControl* controls, size_t count, const InterfaceTexts& texts) {
  for (size_t i = 0; i < count; ++i) {
    const TextedControl& row = controls[i];
    const char* text = row.text == TextId::Count ? "" : texts.text(row.text).c_str();
    if (!createControl(parent, {row.number, row.className, text, row.style, row.x, row.y, row.width, row.height,
                                nullptr, row.exStyle}))
      return false;
  }
  return true;
}

bool isInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

bool waitForWindowUntil(HWND window, WaitRules rules, bool (*done)(const void* context), const void* context) {
  bool quitRequested = false;
  int quitCode = 0;
  MSG message;
  while (!done(context)) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      quitRequested = true;
      quitCode = int(message.wParam);
      if (rules.endsOnQuit) break;
      continue;
    }
    bool ours = message.hwnd == window || GetAncestor(message.hwnd, GA_ROOT) == window;
    if (!ours && rules.ignoreOtherInput && isInputMessage(message.message)) continue;
    if (ours && IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (quitRequested) PostQuitMessage(quitCode);
  return done(context);
}

}  // namespace qv
