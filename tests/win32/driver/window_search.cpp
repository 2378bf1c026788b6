#include "window_search.h"

#include <tlhelp32.h>

#include <algorithm>

namespace qv {
namespace {

bool contains(const std::vector<DWORD>& list, DWORD value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

const char* const kSharedServices[] = {"explorer.exe", "services.exe", "winedevice.exe", "plugplay.exe",
                                       "svchost.exe",  "rpcss.exe",    "conhost.exe"};

bool isSharedService(const char* exeFile) {
  for (const char* name : kSharedServices) {
    if (lstrcmpiA(exeFile, name) == 0) return true;
  }
  return false;
}

// The creation time of a process, 0 when it cannot be read.
ULONGLONG creationTime(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return 0;
  FILETIME creation, exit, kernel, user;
  ULONGLONG value = 0;
  if (GetProcessTimes(process, &creation, &exit, &kernel, &user)) {
    value = (ULONGLONG(creation.dwHighDateTime) << 32) | creation.dwLowDateTime;
  }
  CloseHandle(process);
  return value;
}

struct Collect {
  const std::vector<DWORD>* processes;
  std::vector<HWND> windows;
};

BOOL CALLBACK collectVisible(HWND window, LPARAM param) {
  Collect* collect = reinterpret_cast<Collect*>(param);
  if (!IsWindowVisible(window)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (!collect->processes->empty() && !contains(*collect->processes, pid)) return TRUE;
  collect->windows.push_back(window);
  return TRUE;
}

std::vector<HWND> listVisibleTop(const std::vector<DWORD>& processes) {
  Collect collect{&processes, {}};
  EnumWindows(collectVisible, reinterpret_cast<LPARAM>(&collect));
  return collect.windows;
}

}  // namespace

std::vector<DWORD> listProcessTree(const std::vector<DWORD>& roots) {
  std::vector<DWORD> tree = roots;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return tree;
  std::vector<PROCESSENTRY32> entries;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (!isSharedService(entry.szExeFile)) entries.push_back(entry);
  }
  CloseHandle(snapshot);
  // Breadth first over the parent links. Process ids are reused, so a process
  // counts as a child only when it was created after its parent; a process is
  // added once, so the walk cannot loop.
  std::vector<ULONGLONG> created;
  for (DWORD pid : tree) created.push_back(creationTime(pid));
  for (size_t i = 0; i < tree.size(); ++i) {
    if (created[i] == 0) continue;
    for (const PROCESSENTRY32& e : entries) {
      if (e.th32ParentProcessID != tree[i] || contains(tree, e.th32ProcessID)) continue;
      ULONGLONG childCreated = creationTime(e.th32ProcessID);
      if (childCreated < created[i]) continue;
      tree.push_back(e.th32ProcessID);
      created.push_back(childCreated);
    }
  }
  return tree;
}

bool processNamed(const std::string& fileName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry;
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
    found = lstrcmpiA(entry.szExeFile, fileName.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
}

std::string readCaption(HWND window) {
  char buffer[1024];
  int n = GetWindowTextA(window, buffer, sizeof(buffer));
  return std::string(buffer, n > 0 ? size_t(n) : 0);
}

std::vector<HWND> findTopWindows(const WindowMatch& match, const std::vector<DWORD>& processes) {
  std::vector<HWND> found;
  for (HWND window : listVisibleTop(processes)) {
    std::string caption = readCaption(window);
    bool hit = match.prefix ? caption.compare(0, match.caption.size(), match.caption) == 0
                            : caption == match.caption;
    if (hit) found.push_back(window);
  }
  return found;
}

std::vector<std::string> listTopCaptions(const std::vector<DWORD>& processes) {
  std::vector<std::string> captions;
  for (HWND window : listVisibleTop(processes)) captions.push_back(readCaption(window));
  return captions;
}

}  // namespace qv
