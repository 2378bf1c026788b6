// qvchoose: runs the language choice with the real chooser window, for driven tests.
//
//   qvchoose <result file> <language list> <user language id>
//       chooses the language file as a run does and writes "file=<name>" and
//       "primary=<number>" to the result file; exits 1 when a file was chosen, 2 when not
//   qvchoose <result file> --no-items
//       shows the chooser with an empty list; exits as above
//   qvchoose <result file> --inspect
//       shows the chooser with two items and writes its layout to the result file
//       (style bits, client size, centring, control places) before closing it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win32/language_choice_win32.h"

namespace {

void writeResult(const char* path, const std::string& text) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
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

// Describes the chooser window once it shows, then closes it.
DWORD WINAPI inspectChooser(void* resultPath) {
  HWND window = nullptr;
  for (int i = 0; i < 200 && !window; ++i) {
    window = FindWindowA("QuarvelLanguageChooser", " Quarvel");
    if (!window || !IsWindowVisible(window)) {
      window = nullptr;
      Sleep(50);
    }
  }
  std::string out;
  if (window) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    RECT client, frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    int centreX = (frame.left + frame.right) / 2, centreY = (frame.top + frame.bottom) / 2;
    int screenX = GetSystemMetrics(SM_CXSCREEN) / 2, screenY = GetSystemMetrics(SM_CYSCREEN) / 2;
    // The height the list was made with, as the system reports it back: the dropped
    // rectangle, and the height of one item, since the list rounds to whole items.
    HWND list = GetDlgItem(window, qv::kChooserLanguageList);
    RECT dropped = {};
    SendMessageA(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    long item = long(SendMessageA(list, CB_GETITEMHEIGHT, 0, 0));
    char text[512];
    std::snprintf(text, sizeof(text),
                  "caption=%d\nsysmenu=%d\nsizable=%d\nclient=%ldx%ld\ncentred=%d\nlist=%s\ndropped=%ld\nitem=%ld\nok=%s\n",
                  (style & WS_CAPTION) == WS_CAPTION, (style & WS_SYSMENU) != 0, (style & WS_THICKFRAME) != 0,
                  client.right, client.bottom, std::abs(centreX - screenX) <= 1 && std::abs(centreY - screenY) <= 1,
                  controlPlace(window, qv::kChooserLanguageList).c_str(), dropped.bottom - dropped.top, item,
                  controlPlace(window, qv::kChooserOkButton).c_str());
    out = text;
    PostMessageA(window, WM_CLOSE, 0, 0);
  } else {
    out = "no window\n";
  }
  writeResult(static_cast<const char*>(resultPath), out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: qvchoose <result file> <language list> <language id> | --no-items | --inspect\n");
    return 3;
  }
  qv::Win32LanguageChooser chooser;
  std::string mode = argv[2];
  if (mode == "--no-items" || mode == "--inspect") {
    std::vector<std::string> items;
    if (mode == "--inspect") items = {" english", " german"};
    HANDLE inspector = nullptr;
    if (mode == "--inspect") inspector = CreateThread(nullptr, 0, inspectChooser, argv[1], 0, nullptr);
    size_t chosen = 0;
    bool picked = chooser.chooseLanguage(items, chosen);
    if (inspector) {
      WaitForSingleObject(inspector, INFINITE);
      CloseHandle(inspector);
    } else {
      writeResult(argv[1], picked ? "item=" + std::to_string(chosen) + "\n" : "item=none\n");
    }
    return picked ? 1 : 2;
  }
  if (argc < 4) return 3;
  qv::LanguageChoice choice = qv::chooseLanguageFile(argv[2], uint16_t(std::strtoul(argv[3], nullptr, 0)), chooser);
  writeResult(argv[1], "file=" + choice.fileName + "\nprimary=" + std::to_string(choice.primaryLanguage) + "\n");
  return choice.fileName.empty() ? 2 : 1;
}
