// Quarvel Hello: the example product. A small window that greets the user with the
// text of hello.ini beside the program and shows how it was started. While it runs
// it holds the mutex that the setup's running-program guard looks for.
#include <windows.h>

#include <string>

namespace {

const char kClassName[] = "QuarvelHelloWindow";
const int kCloseButton = 1;

std::string programFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n < MAX_PATH ? n : 0);
  size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// hello.ini is shipped with the product and kept on reinstallation; the setup adds
// the start-menu folder and language of the installation to it.
std::string greetingText(const char* commandLine) {
  std::string ini = programFolder() + "hello.ini";
  char text[512] = {};
  GetPrivateProfileStringA("Greeting", "Text", "Hello!", text, sizeof text, ini.c_str());
  char language[32] = {};
  GetPrivateProfileStringA("Paths", "Language", "?", language, sizeof language, ini.c_str());
  std::string shown = std::string(text) + "\r\n\r\nLanguage number of the installation: " + language;
  if (commandLine && *commandLine) shown += std::string("\r\nStarted with: ") + commandLine;
  return shown;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kCloseButton) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  HANDLE running = CreateMutexA(nullptr, FALSE, "QuarvelHelloRunning");

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);

  HWND window = CreateWindowA(kClassName, " Quarvel Hello 1.2.0", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                              CW_USEDEFAULT, CW_USEDEFAULT, 420, 220, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND text = CreateWindowA("STATIC", greetingText(commandLine).c_str(), WS_CHILD | WS_VISIBLE, 15, 15, 380, 110,
                            window, nullptr, instance, nullptr);
  HWND button = CreateWindowA("BUTTON", "Close", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 160, 140, 90, 26, window,
                              reinterpret_cast<HMENU>(kCloseButton), instance, nullptr);
  SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (running) CloseHandle(running);
  return 0;
}
