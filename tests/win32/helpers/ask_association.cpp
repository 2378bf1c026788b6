// qvassociate: puts the association question on screen as a run asks it, for driven
// tests.
//
//   qvassociate <result file> <extension> [<language file>] [--owner]
//       asks with the texts of the language file (the defaults without one) and writes
//       "answer=yes" or "answer=no"; exits 1 for Yes, 2 for No. With --owner a window
//       of this program is in front first, and the result also tells whether the box
//       was owned by it ("owned=1") and whether it was disabled meanwhile ("disabled=1").
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "system/associations.h"
#include "win32/associations_win32.h"

namespace {

struct Watch {
  HWND owner = nullptr;
  std::string caption;
  bool owned = false;
  bool disabled = false;
};

// Waits for the question box and looks at its owner while it shows.
DWORD WINAPI watchQuestion(void* parameter) {
  Watch& watch = *static_cast<Watch*>(parameter);
  for (int i = 0; i < 400; ++i) {
    HWND box = FindWindowA("#32770", watch.caption.c_str());
    if (box && IsWindowVisible(box)) {
      watch.owned = GetWindow(box, GW_OWNER) == watch.owner;
      watch.disabled = !IsWindowEnabled(watch.owner);
      return 0;
    }
    Sleep(50);
  }
  return 0;
}

HWND showOwnerWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QvAssociateOwner";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);
  HWND window = CreateWindowA("QvAssociateOwner", " qvassociate owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                              300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(window);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  return window;
}

void writeResult(const char* path, const std::string& text) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: qvassociate <result file> <extension> [<language file>] [--owner]\n");
    return 3;
  }
  bool withOwner = false;
  std::string languageFile;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--owner") == 0)
      withOwner = true;
    else
      languageFile = argv[i];
  }
  qv::InterfaceTexts texts;
  if (!languageFile.empty()) texts.loadInterfaceTexts(languageFile, "Acme", "1.0");

  Watch watch;
  HANDLE watcher = nullptr;
  if (withOwner) {
    watch.owner = showOwnerWindow();
    watch.caption = texts.text(qv::TextId::Rq5Titel);
    watcher = CreateThread(nullptr, 0, watchQuestion, &watch, 0, nullptr);
  }
  qv::Win32AssociationQuestion question;
  bool yes = qv::askAssociationQuestion(question, texts, argv[2]);
  std::string result = yes ? "answer=yes\n" : "answer=no\n";
  if (watcher) {
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);
    result += "owned=" + std::to_string(watch.owned) + "\ndisabled=" + std::to_string(watch.disabled) + "\n";
  }
  writeResult(argv[1], result);
  return yes ? 1 : 2;
}
