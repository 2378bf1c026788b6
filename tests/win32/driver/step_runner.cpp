#include "step_runner.h"

#include "control_access.h"
#include "screen_capture.h"
#include "user_input.h"
#include "window_search.h"

namespace qv {
namespace {

// Expectations are checked again for this long, so that a program that updates a
// control a moment after the step before is not reported as wrong.
const DWORD kSettleMs = 3000;
const DWORD kPollMs = 50;

long numberArg(const ScriptStep& step, size_t index) {
  long value = 0;
  parseNumber(step.args[index], value);  // checked when the script was read
  return value;
}

bool expired(DWORD startTick, DWORD ms) { return GetTickCount() - startTick >= ms; }

std::string describeCaptions(const std::vector<std::string>& captions) {
  if (captions.empty()) return "no visible window";
  std::string out = "visible windows ";
  for (size_t i = 0; i < captions.size(); ++i) out += (i ? ", " : "") + quoteText(captions[i]);
  return out;
}

// Waits until the program has handled what was sent to it before.
void settleWith(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, 1000, &ignored);
}

// One reading of a control's state for an expectation step.
bool readState(const ScriptStep& step, HWND control, std::string& value, std::string& why) {
  if (step.name == "expect-text") {
    if (!readText(control, value)) {
      why = "the program does not answer";
      return false;
    }
    value = quoteText(value);
    return true;
  }
  if (step.name == "expect-items") {
    std::vector<std::string> items;
    if (!readItems(control, items, why)) return false;
    value = quoteText(joinItems(items));
    return true;
  }
  if (step.name == "expect-selection") {
    long index = 0;
    std::vector<std::string> items;
    if (!readSelection(control, index, why) || !readItems(control, items, why)) return false;
    value = quoteText(index >= 0 && size_t(index) < items.size() ? items[size_t(index)] : std::string());
    return true;
  }
  if (step.name == "expect-items-under") {
    // The items below one item, by their paths from it.
    std::vector<std::string> items, below;
    if (!readItems(control, items, why)) return false;
    const std::string prefix = step.args[1] + "\\";
    for (const std::string& item : items)
      if (item.compare(0, prefix.size(), prefix) == 0) below.push_back(item.substr(prefix.size()));
    value = quoteText(joinItems(below));
    return true;
  }
  if (step.name == "expect-checked") {
    long state = 0;
    if (!readCheck(control, state)) {
      why = "the program does not answer";
      return false;
    }
    value = std::to_string(state);
    return true;
  }
  if (step.name == "expect-enabled") {
    value = IsWindowEnabled(control) ? "1" : "0";
    return true;
  }
  value = IsWindowVisible(control) ? "1" : "0";  // expect-visible, wait-visible
  return true;
}

std::string expectedState(const ScriptStep& step) {
  if (step.name == "expect-text" || step.name == "expect-items" || step.name == "expect-selection")
    return quoteText(step.args[1]);
  if (step.name == "expect-items-under") return quoteText(step.args[2]);
  return std::to_string(numberArg(step, 1));
}

// On Windows a desktop other than the input desktop is never shown and takes no
// input, so only Wine (where every desktop can draw and take input) gets one.
bool runsUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace

StepRunner::StepRunner(const std::string& scriptFolder)
    : folder_(scriptFolder), original_(GetThreadDesktop(GetCurrentThreadId())) {}

StepRunner::~StepRunner() {
  for (PROCESS_INFORMATION& p : started_) {
    CloseHandle(p.hThread);
    CloseHandle(p.hProcess);
  }
  if (desktop_) {
    if (original_) SetThreadDesktop(original_);
    CloseDesktop(desktop_);
  }
}

std::string StepRunner::resolvePath(const std::string& path) const {
  bool absolute = (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
  if (absolute || folder_.empty()) return path;
  return folder_ + path;
}

std::vector<DWORD> StepRunner::watchedProcesses() const {
  std::vector<DWORD> roots;
  for (const PROCESS_INFORMATION& p : started_) roots.push_back(p.dwProcessId);
  return roots.empty() ? roots : listProcessTree(roots);
}

bool StepRunner::control(const ScriptStep& step, HWND& handle, std::string& found) const {
  if (!window_) {
    found = "no current window (a window step must come first)";
    return false;
  }
  if (!IsWindow(window_)) {
    found = "the current window is gone";
    return false;
  }
  long number = numberArg(step, 0);
  handle = findControl(window_, number);
  if (!handle) {
    found = "no control " + std::to_string(number) + " in window " + quoteText(readCaption(window_));
    return false;
  }
  return true;
}

bool StepRunner::enterPrivateDesktop() {
  if (!desktopName_.empty()) return true;
  if (!runsUnderWine()) return false;
  std::string name = "qvdrive-" + std::to_string(GetCurrentProcessId());
  HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (!desktop) return false;
  if (!SetThreadDesktop(desktop)) {
    CloseDesktop(desktop);
    return false;
  }
  desktop_ = desktop;
  desktopName_ = name;
  return true;
}

bool StepRunner::start(const std::string& commandLine, std::string& found) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  std::vector<char> desktopName;
  if (enterPrivateDesktop()) {
    desktopName.assign(desktopName_.begin(), desktopName_.end());
    desktopName.push_back('\0');
    startup.lpDesktop = desktopName.data();
  }
  PROCESS_INFORMATION process = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    found = "the program cannot be started (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  started_.push_back(process);
  window_ = nullptr;
  return true;
}

bool StepRunner::awaitWindow(const std::string& caption, bool prefix, std::string& expected,
                             std::string& found) {
  expected = std::string("a visible window captioned ") + (prefix ? "beginning with " : "") + quoteText(caption);
  WindowMatch match{caption, prefix};
  DWORD begin = GetTickCount();
  for (;;) {
    std::vector<DWORD> processes = watchedProcesses();
    std::vector<HWND> windows = findTopWindows(match, processes);
    if (!windows.empty()) {
      window_ = windows.front();
      settleWith(window_);
      return true;
    }
    if (expired(begin, waitMs_)) {
      found = describeCaptions(listTopCaptions(processes)) + " after " + std::to_string(waitMs_) + " ms";
      return false;
    }
    Sleep(kPollMs);
  }
}

bool StepRunner::awaitNoWindow(const std::string& caption, DWORD ms, bool mustStayAway, std::string& expected,
                               std::string& found) {
  WindowMatch match{caption, false};
  expected = (mustStayAway ? "no window captioned " : "window gone: ") + quoteText(caption);
  DWORD begin = GetTickCount();
  for (;;) {
    bool present = !findTopWindows(match, watchedProcesses()).empty();
    if (present && mustStayAway) {
      found = "the window is there after " + std::to_string(GetTickCount() - begin) + " ms";
      return false;
    }
    if (!present && !mustStayAway) return true;
    if (expired(begin, ms)) {
      if (mustStayAway) return true;
      found = "the window is still there after " + std::to_string(ms) + " ms";
      return false;
    }
    Sleep(kPollMs);
  }
}

bool StepRunner::awaitExit(const ScriptStep& step, std::string& expected, std::string& found) {
  if (started_.empty()) {
    found = "no program was started";
    return false;
  }
  const PROCESS_INFORMATION& process = started_.back();
  bool checkCode = !step.args.empty();
  long code = checkCode ? numberArg(step, 0) : 0;
  expected = checkCode ? "the program ends with exit code " + std::to_string(code) : "the program ends";
  if (WaitForSingleObject(process.hProcess, waitMs_) != WAIT_OBJECT_0) {
    found = "still running after " + std::to_string(waitMs_) + " ms";
    return false;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  window_ = nullptr;
  if (checkCode && exitCode != DWORD(code)) {
    found = "exit code " + std::to_string(exitCode);
    return false;
  }
  return true;
}

bool StepRunner::awaitNoProcess(const std::string& fileName, std::string& expected, std::string& found) {
  expected = "no process runs " + quoteText(fileName);
  DWORD begin = GetTickCount();
  while (processNamed(fileName)) {
    if (expired(begin, waitMs_)) {
      found = "it still runs after " + std::to_string(waitMs_) + " ms";
      return false;
    }
    Sleep(kPollMs);
  }
  return true;
}

bool StepRunner::takeScreenshot(const std::string& path, std::string& found) {
  if (window_ && !IsWindow(window_)) {
    found = "the current window is gone";
    return false;
  }
  if (window_) {
    std::string ignored;
    bringToFront(window_, ignored);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    settleWith(window_);
    Sleep(300);  // what was painted reaches the screen a moment later
  }
  return saveScreenshot(window_, resolvePath(path), found);
}

bool StepRunner::expectState(const ScriptStep& step, DWORD ms, std::string& expected, std::string& found) {
  HWND handle = nullptr;
  if (!control(step, handle, found)) return false;
  expected = expectedState(step);
  DWORD begin = GetTickCount();
  for (;;) {
    std::string value, why;
    if (!readState(step, handle, value, why)) {
      found = why;
      return false;
    }
    if (value == expected) return true;
    if (expired(begin, ms)) {
      found = value;
      return false;
    }
    Sleep(kPollMs);
  }
}

bool StepRunner::runStep(const ScriptStep& step, std::string& expected, std::string& found) {
  const std::string& name = step.name;
  expected = "the step succeeds";
  if (name == "start") return start(step.args[0], found);
  if (name == "window" || name == "window-prefix") return awaitWindow(step.args[0], name == "window-prefix", expected, found);
  if (name == "expect-no-window") return awaitNoWindow(step.args[0], DWORD(numberArg(step, 1)), true, expected, found);
  if (name == "wait-gone") return awaitNoWindow(step.args[0], waitMs_, false, expected, found);
  if (name == "wait-exit") return awaitExit(step, expected, found);
  if (name == "screenshot") return takeScreenshot(step.args[0], found);
  if (name.compare(0, 7, "expect-") == 0) return expectState(step, kSettleMs, expected, found);
  if (name == "wait-visible") return expectState(step, waitMs_, expected, found);
  if (name == "wait-no-process") return awaitNoProcess(step.args[0], expected, found);
  if (name == "sleep") {
    Sleep(DWORD(numberArg(step, 0)));
    return true;
  }
  if (name == "timeout") {
    waitMs_ = DWORD(numberArg(step, 0));
    return true;
  }
  if (name == "close" || name == "key") {
    if (!window_ || !IsWindow(window_)) {
      found = window_ ? "the current window is gone" : "no current window";
      return false;
    }
    if (name == "key") return pressKey(window_, step.args[0], found);
    if (!PostMessageA(window_, WM_CLOSE, 0, 0)) {
      found = "the window takes no messages";
      return false;
    }
    return true;
  }

  HWND handle = nullptr;
  if (!control(step, handle, found)) return false;
  if (name == "click") return clickButton(handle, found);
  if (name == "click-mouse") return clickAtCentre(handle, found);
  if (name == "select") return selectItem(handle, numberArg(step, 1), found);
  if (name == "select-item") {
    std::vector<std::string> items;
    if (!readItems(handle, items, found)) return false;
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == step.args[1]) return selectItem(handle, long(i), found);
    found = "no item " + quoteText(step.args[1]) + " among " + quoteText(joinItems(items));
    return false;
  }
  if (name == "type") {
    if (writeText(handle, step.args[1])) return true;
    found = "the program does not answer";
    return false;
  }
  found = "the step is not known to the runner";
  return false;
}

int StepRunner::endStartedPrograms() {
  std::vector<DWORD> processes = watchedProcesses();
  int ended = 0;
  // Children first, so that none is left behind by a parent that was ended first.
  for (size_t i = processes.size(); i > 0; --i) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processes[i - 1]);
    if (!process) continue;
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code) && code == STILL_ACTIVE && TerminateProcess(process, 1)) {
      WaitForSingleObject(process, 5000);
      ++ended;
    }
    CloseHandle(process);
  }
  window_ = nullptr;
  return ended;
}

}  // namespace qv
