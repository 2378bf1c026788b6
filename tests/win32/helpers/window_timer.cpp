// qvwindowtimer: times installers' windows for the wizard benchmark, on a desktop of
// its own under Wine (as the test driver does), polling every millisecond.
//
//   qvwindowtimer paint <command line>
//       the time from the start to the first window painted: a visible top-level
//       window of the program that has handled what was sent before (the painting
//       of UpdateWindow comes first); then closes it and waits for the end
//   qvwindowtimer walk <command line>
//       drives the wizard as fast as it answers: Next (6) until Install (8) shows,
//       Install, then Finish (9) once it shows (again until the program ends); the
//       time from the start to the end, and from Install to Finish
//   qvwindowtimer run <command line>
//       the time from the start to the end (a silent install, or one whose window
//       closes by itself)
// Prints "name=milliseconds" lines; exit code 0, or 1 when the program could not be
// started, showed no window or did not end within two minutes.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const DWORD kPatienceMs = 120000;

LARGE_INTEGER frequency;

double nowMs() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchProcess(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND visibleWindowOf(DWORD processId) {
  Search search{processId, nullptr};
  EnumWindows(matchProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool answered(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

bool shown(HWND window, int number) {
  HWND control = GetDlgItem(window, number);
  return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

void click(HWND window, int number) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(GetDlgItem(window, number), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
}

// Waits for `done` while the program runs; false when it ended or the time ran out.
template <typename Done>
bool waitFor(HANDLE process, double start, Done done) {
  while (!done()) {
    if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0 || nowMs() - start > kPatienceMs) return false;
  }
  return true;
}

// Under Wine the program gets a desktop of its own, so that the windows of other
// programs sharing the Wine server are not found.
void enterPrivateDesktop(STARTUPINFOA& startup, std::string& name) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;
  name = "qvwindowtimer-" + std::to_string(GetCurrentProcessId());
  HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (!desktop || !SetThreadDesktop(desktop)) return;
  startup.lpDesktop = &name[0];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  QueryPerformanceFrequency(&frequency);
  const std::string mode = argv[1];
  std::string commandLine = argv[2];
  for (int i = 3; i < argc; ++i) commandLine += std::string(" ") + argv[i];

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string desktopName;
  enterPrivateDesktop(startup, desktopName);
  PROCESS_INFORMATION process = {};
  const double start = nowMs();
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::printf("cannot start %s\n", commandLine.c_str());
    return 1;
  }
  bool ok = true;
  HWND window = nullptr;
  if (mode == "paint" || mode == "walk") {
    ok = waitFor(process.hProcess, start, [&] { return (window = visibleWindowOf(process.dwProcessId)) != nullptr; }) &&
         answered(window);
    if (ok && mode == "paint") {
      std::printf("first-paint-ms=%.0f\n", nowMs() - start);
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
  if (ok && mode == "walk") {
    ok = waitFor(process.hProcess, start, [&] {
      if (shown(window, 8)) return true;
      if (shown(window, 6)) click(window, 6);
      return false;
    });
    const double install = nowMs();
    if (ok) click(window, 8);
    ok = ok && waitFor(process.hProcess, start, [&] { return shown(window, 9); });
    if (ok) {
      std::printf("install-ms=%.0f\n", nowMs() - install);
      // The run drains the window's events once more after Finish shows: a click that
      // comes that early is dropped, as one pressed during the install is.
      while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT && IsWindow(window)) click(window, 9);
    }
  }
  if (ok) ok = WaitForSingleObject(process.hProcess, kPatienceMs) == WAIT_OBJECT_0;
  if (ok && mode != "paint") std::printf("total-ms=%.0f\n", nowMs() - start);
  if (!ok) {
    std::printf("the program showed no window, stopped early or did not end\n");
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ok ? 0 : 1;
}
