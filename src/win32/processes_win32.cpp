#include "win32/processes_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "win32/window_kit_win32.h"

namespace qv {
namespace {

class Locked {
 public:
  explicit Locked(CRITICAL_SECTION* lock) : lock_(lock) { EnterCriticalSection(lock_); }
  ~Locked() { LeaveCriticalSection(lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION* lock_;
};

bool createProcess(const std::string& file, const std::string& parameters, const std::string& workingFolder,
                   PROCESS_INFORMATION& info) {
  // A copy of its own: CreateProcessA may write into the command line.
  std::string commandLine = processCommandLine(file, parameters);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info) != 0;
}

HANDLE shellExecute(const std::string& file, const std::string& parameters, const std::string& workingFolder,
                    bool& started) {
  std::string directory = shellDirectory(file, workingFolder);
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof(info);
  // No box of the shell's own for a file it cannot start: the start fails silently,
  // as every task's does, and a quiet run never waits for a person.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "Open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
  info.nShow = SW_SHOWNORMAL;
  started = ShellExecuteExA(&info) != 0;
  return started ? info.hProcess : nullptr;  // none when the shell handed the file to a running program
}

// Without a window the thread simply blocks. With one, the window events that come
// meanwhile are handled (it repaints, and programs that send to every window go on),
// except what the user does, which is dropped.
void waitForProcess(HANDLE process, bool pump) {
  if (!pump) {
    WaitForSingleObject(process, INFINITE);
    return;
  }
  for (;;) {
    DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return;
    if (woken != WAIT_OBJECT_0 + 1) {  // the wait itself failed: block as without a window
      WaitForSingleObject(process, INFINITE);
      return;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(int(message.wParam));  // for the loop that owns it
        WaitForSingleObject(process, INFINITE);
        return;
      }
      if (isInputMessage(message.message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

Win32Processes::Win32Processes() { InitializeCriticalSection(&lock_); }

Win32Processes::~Win32Processes() {
  releaseAllProcesses();
  DeleteCriticalSection(&lock_);
}

StartedProcess Win32Processes::startProcess(const std::string& file, const std::string& parameters,
                                            const std::string& workingFolder, unsigned flags) {
  HANDLE process = nullptr;
  int32_t processId = -1;
  PROCESS_INFORMATION info = {};
  if (createProcess(file, parameters, workingFolder, info)) {
    CloseHandle(info.hThread);
    process = info.hProcess;
    processId = int32_t(info.dwProcessId);
  } else {
    bool started = false;
    process = shellExecute(file, parameters, workingFolder, started);
    if (!started) return StartedProcess();
  }
  if ((flags & kProcessWait) && process) waitForProcess(process, pump_);
  StartedProcess result;
  result.started = true;
  if (flags & kProcessKeep) {
    std::unique_ptr<ProcessRecord> record(new ProcessRecord);
    record->process = process;
    record->processId = processId;
    Locked locked(&lock_);
    result.record = records_.keep(std::move(record));
  } else if (process) {
    CloseHandle(process);
  }
  return result;
}

// The operations on a record hold the lock throughout, so no other thread can
// release the record and close its handle meanwhile.
uint32_t Win32Processes::processExitCode(const ProcessRecord* record) {
  Locked locked(&lock_);
  DWORD code = 0;
  if (!records_.contains(record) || !record->process || !GetExitCodeProcess(record->process, &code)) return 0;
  return code;
}

bool Win32Processes::processIsRunning(const ProcessRecord* record) {
  Locked locked(&lock_);
  // A record without a handle (the shell passed the file on) has nothing running to
  // wait for.
  return records_.contains(record) && record->process && WaitForSingleObject(record->process, 0) == WAIT_TIMEOUT;
}

void Win32Processes::stopProcess(const ProcessRecord* record) {
  Locked locked(&lock_);
  if (records_.contains(record) && record->process) TerminateProcess(record->process, 0xFFFFFFFF);
}

void Win32Processes::releaseProcess(const ProcessRecord* record) {
  std::unique_ptr<ProcessRecord> taken;
  {
    Locked locked(&lock_);
    taken = records_.take(record);
  }
  if (taken && taken->process) CloseHandle(taken->process);
}

void Win32Processes::releaseAllProcesses() {
  std::vector<std::unique_ptr<ProcessRecord>> all;
  {
    Locked locked(&lock_);
    all = records_.takeAll();
  }
  for (const auto& record : all)
    if (record->process) CloseHandle(record->process);
}

}  // namespace qv
