// qvwizardlayout: builds the wizard window as the stub does (default texts), shows
// it, reads its layout back from the system and compares it with the wizard's table,
// written down here on its own: every control's panel, place and size (in pixels,
// relative to its panel's client area), font (face, weight and the point size scaled
// by the screen's DPI, or the default GUI font) and first visibility; the window's
// caption, client size, centring and styles (a title bar, no system menu). Fonts are
// the window's own objects, readable only in its process: hence a program of its own
// rather than a look from outside. Prints each difference and ends with 0 when there
// are none, 1 when there are, 3 when the window cannot be built.
#include <windows.h>
#include <richedit.h>

#include <cstdio>
#include <string>

#include "texts/interface_texts.h"
#include "win32/wizard_window_win32.h"

namespace {

struct Row {
  int number, panel, x, y, width, height, font;  // font: F1 to F6; 0 the default GUI font; -1 none checked
  bool shown;
};

// The table. Panels, pictures and the progress bar show no text: their font is not checked.
const Row kTable[] = {
    {26, 0, 130, 0, 350, 300, -1, true},   {27, 26, 10, 10, 330, 60, 5, true},   {28, 26, 10, 80, 330, 120, 3, true},
    {29, 26, 10, 245, 330, 45, 3, true},   {30, 0, 0, 0, 130, 300, -1, true},    {1, 0, 0, 0, 480, 48, -1, false},
    {17, 1, 10, 10, 415, 15, 2, true},     {2, 1, 20, 25, 405, 15, 1, true},     {3, 1, 440, 9, 32, 32, -1, true},
    {12, 0, 0, 50, 480, 250, -1, false},   {13, 12, 10, 10, 455, 190, 0, true},  {14, 12, 10, 208, 455, 15, 3, true},
    {15, 12, 10, 227, 455, 15, 3, true},   {16, 0, 0, 50, 480, 250, -1, false},  {18, 16, 10, 30, 375, 15, 4, true},
    {19, 16, 10, 55, 300, 20, 0, true},    {20, 16, 315, 55, 65, 20, 0, true},   {21, 16, 10, 115, 375, 15, 4, true},
    {22, 16, 10, 140, 175, 20, 0, true},   {23, 16, 190, 140, 65, 20, 0, true},  {24, 16, 10, 165, 370, 15, 1, true},
    {25, 16, 10, 225, 370, 15, 3, true},   {10, 0, 0, 50, 480, 250, -1, false},  {11, 10, 10, 10, 455, 225, 0, true},
    {31, 0, 130, 0, 350, 300, -1, false},  {32, 31, 10, 15, 330, 50, 5, true},   {33, 31, 10, 260, 330, 40, 3, true},
    {34, 31, 10, 75, 330, 15, 4, true},    {36, 31, 10, 245, 330, 15, 3, false}, {35, 31, 10, 100, 330, 130, 0, true},
    {37, 31, 10, 245, 330, 20, -1, false}, {4, 0, 10, 310, 240, 15, 2, true},    {5, 0, 250, 307, 65, 22, 0, false},
    {6, 0, 320, 307, 65, 22, 0, true},     {8, 0, 325, 307, 80, 22, 6, false},   {7, 0, 415, 307, 60, 22, 0, true},
    {9, 0, 415, 307, 60, 22, 0, false},
};

const struct {
  const char* face;
  int points, weight;
} kFonts[] = {{"Arial", 8, FW_NORMAL}, {"Arial", 8, FW_BOLD},  {"Arial", 9, FW_NORMAL},
              {"Arial", 9, FW_BOLD},   {"Arial", 12, FW_BOLD}, {"MS Sans Serif", 8, FW_BOLD}};

int differences = 0;

void differ(int number, const std::string& what) {
  std::printf("control %d: %s\n", number, what.c_str());
  ++differences;
}

struct Search {
  int number;
  HWND found;
};

BOOL CALLBACK matchNumber(HWND child, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  if (GetDlgCtrlID(child) != search->number) return TRUE;
  search->found = child;
  return FALSE;
}

HWND findControl(HWND window, int number) {
  Search search{number, nullptr};
  EnumChildWindows(window, matchNumber, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK matchSeparator(HWND child, LPARAM data) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") != 0 || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ETCHEDHORZ) return TRUE;
  *reinterpret_cast<HWND*>(data) = child;
  return FALSE;
}

bool isRichEdit(HWND control) {
  char name[32] = {};
  GetClassNameA(control, name, sizeof name);
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 4, "rich", 4) == CSTR_EQUAL;
}

// The place and size of a control relative to its parent's client area.
RECT placeOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string text(const char* format, long a, long b, long c, long d) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
  return buffer;
}

void checkPlace(int number, HWND control, int x, int y, int width, int height) {
  RECT r = placeOf(control);
  if (r.left != x || r.top != y || r.right - r.left != width || r.bottom - r.top != height)
    differ(number, text("at %ld,%ld size %ldx%ld", r.left, r.top, r.right - r.left, r.bottom - r.top) +
                       text(", the table says %ld,%ld %ldx%ld", x, y, width, height));
}

void checkFont(const Row& row, HWND control, int dpi) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA logical = {};
  if (row.font == 0) {
    HFONT defaultFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (isRichEdit(control)) {
      // A rich-edit viewer keeps no font object: the face and size it was given are its
      // default character format, the size in twips.
      LOGFONTA standard = {};
      GetObjectA(defaultFont, sizeof standard, &standard);
      CHARFORMATA format = {};
      format.cbSize = sizeof format;
      SendMessageA(control, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
      const long twips = MulDiv(labs(standard.lfHeight), 1440, dpi);
      if (lstrcmpA(format.szFaceName, standard.lfFaceName) || labs(format.yHeight - twips) > 20)
        differ(row.number, std::string("viewer font ") + format.szFaceName +
                               text(" of %ld twips, not the default GUI font (%ld)", format.yHeight, twips, 0, 0));
    } else if (font != defaultFont) {
      differ(row.number, "not the default GUI font");
    }
    return;
  }
  if (!font || !GetObjectA(font, sizeof logical, &logical)) {
    differ(row.number, "no font of its own");
    return;
  }
  const auto& expected = kFonts[row.font - 1];
  const int height = -MulDiv(expected.points, dpi, 72);
  if (logical.lfHeight != height || logical.lfWeight != expected.weight || lstrcmpA(logical.lfFaceName, expected.face))
    differ(row.number, std::string("font ") + logical.lfFaceName +
                           text(" height %ld weight %ld, the table says F%ld (height %ld)", logical.lfHeight,
                                logical.lfWeight, row.font, height));
}

}  // namespace

int main() {
  qv::InterfaceTexts texts;
  qv::Win32WizardWindow wizard;
  if (!wizard.buildWizardWindow("Layout Test 1.0", texts)) {
    std::printf("the wizard window cannot be built\n");
    return 3;
  }
  wizard.showWizardWindow();
  HWND window = wizard.handle();
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (std::string(caption) != " Layout Test 1.0") differ(0, std::string("caption \"") + caption + "\"");

  const LONG style = GetWindowLongA(window, GWL_STYLE);
  if ((style & WS_CAPTION) != WS_CAPTION) differ(0, "no title bar");
  if (style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))
    differ(0, text("a system menu, sizing frame or box (style %lx)", style, 0, 0, 0));
  RECT client, frame;
  GetClientRect(window, &client);
  if (client.right != 480 || client.bottom != 335) differ(0, text("client %ldx%ld, not 480x335", client.right, client.bottom, 0, 0));
  GetWindowRect(window, &frame);
  const long centreX = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
  const long centreY = (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
  if (labs(frame.left - centreX) > 1 || labs(frame.top - centreY) > 1)
    differ(0, text("at %ld,%ld, centred would be %ld,%ld", frame.left, frame.top, centreX, centreY));

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (const Row& row : kTable) {
    HWND control = findControl(window, row.number);
    if (!control) {
      differ(row.number, "missing");
      continue;
    }
    HWND parent = GetParent(control);
    HWND panel = row.panel ? findControl(window, row.panel) : window;
    if (parent != panel) differ(row.number, text("not in panel %ld", row.panel, 0, 0, 0));
    checkPlace(row.number, control, row.x, row.y, row.width, row.height);
    if (row.font >= 0) checkFont(row, control, dpi);
    const bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != row.shown) differ(row.number, shown ? "shown at first" : "hidden at first");
  }
  HWND separator = nullptr;
  EnumChildWindows(window, matchSeparator, reinterpret_cast<LPARAM>(&separator));
  if (!separator)
    differ(0, "no etched separator line");
  else if (GetParent(separator) != window)
    differ(0, "the separator is not in the client area");
  else {
    // The system gives etched lines an edge of its own, which may widen them: the line
    // is compared with one made here as the table asks.
    HWND reference = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_ETCHEDHORZ, 0, 300, 483, 2, window, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    const RECT expected = placeOf(reference);
    DestroyWindow(reference);
    checkPlace(0, separator, expected.left, expected.top, expected.right - expected.left,
               expected.bottom - expected.top);
  }

  std::printf("%d difference(s) from the table at %d DPI\n", differences, dpi);
  wizard.closeWizardWindow();
  return differences ? 1 : 0;
}
