// qvsample: a small window for proving the test driver on real controls.
//
//   qvsample <result file>
//
// Window " Qvsample" holds a drop-down list (21) of three items, a label (26) that
// names the picked item, a check box (22), a hint (27) shown while the box is not
// checked, an edit field (23), an OK button (24) enabled only while the box is
// checked, and an Ask button (25).
//   OK writes "item=", "checked=" and "text=" lines to the result file and exits
//   with the index of the picked item.
//   Ask shows an OK/Cancel message box " Qvsample question"; the answer is written
//   as "answer=ok" or "answer=cancel" and the exit code is 100 + the box's result
//   (101 OK, 102 Cancel).
//   Closing the window writes "closed" and exits with 99.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

enum Control { kList = 21, kCheck = 22, kEdit = 23, kOk = 24, kAsk = 25, kLabel = 26, kHint = 27 };

const char kClass[] = "QvSampleWindow";
const char* const kItems[] = {" alpha", " beta", " gamma"};

struct Sample {
  std::string resultPath;
  HWND window = nullptr;
  int exitCode = 0;
};

Sample* sampleOf(HWND window) { return reinterpret_cast<Sample*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

std::string textOf(HWND control) {
  char buffer[512];
  int n = GetWindowTextA(control, buffer, sizeof(buffer));
  return std::string(buffer, n > 0 ? size_t(n) : 0);
}

void writeResult(const Sample& sample, const std::string& text) {
  FILE* out = std::fopen(sample.resultPath.c_str(), "wb");
  if (!out) return;
  std::fputs(text.c_str(), out);
  std::fclose(out);
}

HWND addControl(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
  HWND control = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return control;
}

void buildControls(HWND window) {
  HWND list = addControl(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 10, 150, 200, kList);
  for (const char* item : kItems) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  addControl(window, "STATIC", "Picked alpha", 0, 170, 13, 120, 18, kLabel);
  addControl(window, "BUTTON", "Agree", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 45, 100, 20, kCheck);
  addControl(window, "STATIC", "Tick the box to go on", 0, 120, 47, 170, 18, kHint);
  addControl(window, "EDIT", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 75, 280, 22, kEdit);
  HWND ok = addControl(window, "BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, 60, 110, 80, 26, kOk);
  EnableWindow(ok, FALSE);
  addControl(window, "BUTTON", "Ask...", BS_PUSHBUTTON | WS_TABSTOP, 160, 110, 80, 26, kAsk);
}

void finish(HWND window, int exitCode) {
  sampleOf(window)->exitCode = exitCode;
  DestroyWindow(window);
}

void onCommand(HWND window, int id, int code) {
  Sample& sample = *sampleOf(window);
  if (id == kList && code == CBN_SELCHANGE) {
    HWND list = GetDlgItem(window, kList);
    LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < 3) SetWindowTextA(GetDlgItem(window, kLabel), (std::string("Picked") + kItems[index]).c_str());
  } else if (id == kCheck && code == BN_CLICKED) {
    bool checked = SendMessageA(GetDlgItem(window, kCheck), BM_GETCHECK, 0, 0) == BST_CHECKED;
    EnableWindow(GetDlgItem(window, kOk), checked);
    ShowWindow(GetDlgItem(window, kHint), checked ? SW_HIDE : SW_SHOW);
  } else if (id == kOk && code == BN_CLICKED) {
    LRESULT index = SendMessageA(GetDlgItem(window, kList), CB_GETCURSEL, 0, 0);
    bool checked = SendMessageA(GetDlgItem(window, kCheck), BM_GETCHECK, 0, 0) == BST_CHECKED;
    std::string item = index >= 0 && index < 3 ? kItems[index] : "";
    writeResult(sample, "item=" + item + "\nchecked=" + (checked ? "1" : "0") + "\ntext=" +
                            textOf(GetDlgItem(window, kEdit)) + "\n");
    finish(window, int(index));
  } else if (id == kAsk && code == BN_CLICKED) {
    int answer = MessageBoxA(window, "Write the answer and quit?", " Qvsample question",
                             MB_OKCANCEL | MB_ICONQUESTION);
    writeResult(sample, answer == IDOK ? "answer=ok\n" : "answer=cancel\n");
    finish(window, 100 + answer);
  }
}

LRESULT CALLBACK sampleProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams));
      buildControls(window);
      return 0;
    case WM_COMMAND:
      onCommand(window, LOWORD(w), HIWORD(w));
      return 0;
    case WM_CLOSE:
      writeResult(*sampleOf(window), "closed\n");
      finish(window, 99);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  Sample sample;
  sample.resultPath = commandLine ? commandLine : "";
  if (sample.resultPath.size() >= 2 && sample.resultPath.front() == '"' && sample.resultPath.back() == '"') {
    sample.resultPath = sample.resultPath.substr(1, sample.resultPath.size() - 2);
  }
  if (sample.resultPath.empty()) return 98;

  WNDCLASSA cls = {};
  cls.lpfnWndProc = sampleProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kClass;
  if (!RegisterClassA(&cls)) return 97;

  RECT rect = {0, 0, 300, 146};
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&rect, style, FALSE);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HWND window = CreateWindowExA(0, kClass, " Qvsample", style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                instance, &sample);
  if (!window) return 96;
  sample.window = window;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return sample.exitCode;
}
