// qvconfirm: runs the overwrite check of a copy with the real file-version window,
// Version.dll and CopyFileA, over a stand-in wizard window, for driven tests.
//
//   qvconfirm <result file> <source> <destination>
//       shows the stand-in window " Wizard stand-in", then asks as a copy task does;
//       writes "wizard-after=<0|1>" (the stand-in enabled again afterwards) to the
//       result file; the driver answers the question
//   qvconfirm <result file> --inspect <source> <destination>
//       the same, but first writes the window's layout (style bits, client size,
//       centring on the stand-in, the stand-in's state, control places and classes,
//       the question's font) and then presses No itself
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "install/checked_copy.h"
#include "run/run_context.h"
#include "run/start_run.h"
#include "win32/checked_copy_win32.h"
#include "win32/start_services_win32.h"

namespace {

const char kStandInCaption[] = " Wizard stand-in";
const char kStandInClass[] = "QuarvelWizardStandIn";

void writeResult(const char* path, const std::string& text) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

HWND createStandIn() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = kStandInClass;
  RegisterClassA(&wc);
  // Off the screen's centre, so centring on it differs from centring on the screen.
  HWND window = CreateWindowExA(0, kStandInClass, kStandInCaption, WS_OVERLAPPEDWINDOW, 40, 30, 520, 420, nullptr,
                                nullptr, wc.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  UpdateWindow(window);
  return window;
}

std::string controlPlace(HWND window, int number) {
  HWND control = GetDlgItem(window, number);
  if (!control) return "none";
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  char text[96];
  std::snprintf(text, sizeof(text), "%ld,%ld %ldx%ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return text;
}

struct Inspection {
  const char* resultPath;
  HWND standIn;
  std::string text;
};

HWND findQuestion() {
  for (int i = 0; i < 400; ++i) {
    HWND window = FindWindowA(qv::kFileVersionWindowClass, nullptr);
    if (window && IsWindowVisible(window)) return window;
    Sleep(50);
  }
  return nullptr;
}

// Describes the question window once it shows, then answers No.
DWORD WINAPI inspectQuestion(void* parameter) {
  auto* inspection = static_cast<Inspection*>(parameter);
  HWND window = findQuestion();
  if (!window) {
    inspection->text = "no window\n";
    return 0;
  }
  Sleep(200);  // the labels are set right after the window shows
  std::string out;
  char line[256];
  LONG style = GetWindowLongA(window, GWL_STYLE);
  RECT client, frame, standIn;
  GetClientRect(window, &client);
  GetWindowRect(window, &frame);
  GetWindowRect(inspection->standIn, &standIn);
  int dx = (frame.left + frame.right) / 2 - (standIn.left + standIn.right) / 2;
  int dy = (frame.top + frame.bottom) / 2 - (standIn.top + standIn.bottom) / 2;
  std::snprintf(line, sizeof(line), "caption=%d\nsysmenu=%d\nsizable=%d\nclient=%ldx%ld\ncentred=%d\n",
                (style & WS_CAPTION) == WS_CAPTION, (style & WS_SYSMENU) != 0, (style & WS_THICKFRAME) != 0,
                client.right, client.bottom, std::abs(dx) <= 1 && std::abs(dy) <= 1);
  out += line;
  std::snprintf(line, sizeof(line), "wizard-enabled=%d\n", IsWindowEnabled(inspection->standIn) ? 1 : 0);
  out += line;
  for (int number = 44; number <= 60; ++number) {
    HWND control = GetDlgItem(window, number);
    char className[32] = "";
    if (control) GetClassNameA(control, className, sizeof(className));
    LONG controlStyle = control ? GetWindowLongA(control, GWL_STYLE) : 0;
    std::snprintf(line, sizeof(line), "control%d=%s %s style=%lx\n", number, controlPlace(window, number).c_str(),
                  className, static_cast<unsigned long>(controlStyle & 0xFFFF));
    out += line;
  }
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(window, qv::kFileVersionQuestion), WM_GETFONT, 0, 0));
  LOGFONTA logFont = {};
  if (font && GetObjectA(font, sizeof(logFont), &logFont)) {
    HDC screen = GetDC(nullptr);
    int expected = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    std::snprintf(line, sizeof(line), "font=%s weight=%ld height-ok=%d\n", logFont.lfFaceName, logFont.lfWeight,
                  logFont.lfHeight == expected);
    out += line;
  } else {
    out += "font=none\n";
  }
  inspection->text = out;
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(qv::kFileVersionNo, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window, qv::kFileVersionNo)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool inspect = argc == 5 && std::string(argv[2]) == "--inspect";
  if (argc != 4 && !inspect) {
    std::fprintf(stderr, "usage: qvconfirm <result file> [--inspect] <source> <destination>\n");
    return 3;
  }
  std::string source = argv[inspect ? 3 : 2];
  std::string destination = argv[inspect ? 4 : 3];

  HWND standIn = createStandIn();
  qv::RunContext context;
  qv::Win32StartServices system;
  qv::InterfaceTexts texts;
  qv::Win32CopyServices services(&standIn);
  qv::RunCopyPolicy policy(context, system, texts);

  Inspection inspection{argv[1], standIn, std::string()};
  HANDLE inspector = inspect ? CreateThread(nullptr, 0, inspectQuestion, &inspection, 0, nullptr) : nullptr;
  qv::confirmReplaceFile(source, destination, services, policy, texts);
  std::string out;
  if (inspector) {
    WaitForSingleObject(inspector, INFINITE);
    CloseHandle(inspector);
    out = inspection.text;
  }
  out += std::string("wizard-after=") + (IsWindowEnabled(standIn) ? "1" : "0") + "\n";
  writeResult(argv[1], out);
  DestroyWindow(standIn);
  return 0;
}
