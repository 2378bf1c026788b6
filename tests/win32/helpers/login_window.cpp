// qvlogin: the administrator logon with the real login window, for driven tests.
//
//   qvlogin <result file> [--fail <n>] [--accept] [--texts <language file>]
//       runs the logon with the system's logon (which under Wine refuses every
//       account); with --fail the first <n> logons fail without asking the system,
//       with --accept the logons after those succeed with a made-up token. Writes each
//       logon tried ("logon=<user>|<domain>|<password>"), then "token=0|1" and
//       "impersonating=0|1". Exits 1 with a token, 2 without.
//   qvlogin <result file> --inspect
//       opens the window, writes its layout to the result file and closes it
//   qvlogin <result file> --probe <user> <password>
//       only asks the system to log the account on: "token=0|1"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "win32/login_window_win32.h"
#include "win32/privileges_win32.h"

namespace {

void writeResult(const char* path, const std::string& text) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

// The system's logon, after a number of made-up failures.
class FailingFirst : public qv::Win32Privileges {
 public:
  FailingFirst(int failures, bool accept) : failures_(failures), accept_(accept) {}
  qv::SystemHandle impersonateUser(const std::string& user, const std::string& domain,
                                   const std::string& password) override {
    log += "logon=" + user + "|" + domain + "|" + password + "\n";
    if (failures_ > 0) {
      --failures_;
      return nullptr;
    }
    if (accept_) return madeUp();
    return Win32Privileges::impersonateUser(user, domain, password);
  }
  void endImpersonation(qv::SystemHandle token) override {
    if (token != madeUp()) Win32Privileges::endImpersonation(token);
  }
  static qv::SystemHandle madeUp() { return reinterpret_cast<qv::SystemHandle>(1); }
  std::string log;

 private:
  int failures_;
  bool accept_;
};

std::string place(HWND window, int number) {
  HWND control = GetDlgItem(window, number);
  if (!control) return "none";
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  char text[96];
  std::snprintf(text, sizeof(text), "%ld,%ld %ldx%ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return text;
}

std::string controlClass(HWND window, int number) {
  char name[64] = {};
  GetClassNameA(GetDlgItem(window, number), name, sizeof(name));
  return name;
}

LONG styleOf(HWND window, int number) { return GetWindowLongA(GetDlgItem(window, number), GWL_STYLE); }
LONG exStyleOf(HWND window, int number) { return GetWindowLongA(GetDlgItem(window, number), GWL_EXSTYLE); }

std::string textOf(HWND window, int number) {
  char text[256] = {};
  GetWindowTextA(number ? GetDlgItem(window, number) : window, text, sizeof(text));
  return text;
}

DWORD WINAPI inspectLogin(void* resultPath) {
  HWND window = nullptr;
  for (int i = 0; i < 200 && !window; ++i) {
    window = FindWindowA("QuarvelLoginWindow", nullptr);
    if (!window || !IsWindowVisible(window)) {
      window = nullptr;
      Sleep(50);
    }
  }
  std::string out = "no window\n";
  if (window) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    RECT client, frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    int dx = (frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
    int dy = (frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
    LOGFONTA font = {};
    HFONT buttonFont = reinterpret_cast<HFONT>(SendMessageA(GetDlgItem(window, qv::kLoginButton), WM_GETFONT, 0, 0));
    if (buttonFont) GetObjectA(buttonFont, sizeof(font), &font);
    char text[2048];
    std::snprintf(
        text, sizeof(text),
        "caption=%s\ncaptionbar=%d\nsysmenu=%d\nsizable=%d\nclient=%ldx%ld\ncentred=%d\n"
        "61=%s %s right=%d %s\n62=%s %s password=%d\n63=%s %s right=%d %s\n64=%s %s password=%d\n"
        "65=%s %s %s\n66=%s %s sunken=%d text=%s\nfont=%s weight=%ld\n",
        textOf(window, 0).c_str(), (style & WS_CAPTION) == WS_CAPTION, (style & WS_SYSMENU) != 0,
        (style & WS_THICKFRAME) != 0, client.right, client.bottom, std::abs(dx) <= 1 && std::abs(dy) <= 1,
        controlClass(window, 61).c_str(), place(window, 61).c_str(), (styleOf(window, 61) & SS_TYPEMASK) == SS_RIGHT,
        textOf(window, 61).c_str(), controlClass(window, 62).c_str(), place(window, 62).c_str(),
        (styleOf(window, 62) & ES_PASSWORD) != 0, controlClass(window, 63).c_str(), place(window, 63).c_str(),
        (styleOf(window, 63) & SS_TYPEMASK) == SS_RIGHT, textOf(window, 63).c_str(),
        controlClass(window, 64).c_str(), place(window, 64).c_str(), (styleOf(window, 64) & ES_PASSWORD) != 0,
        controlClass(window, 65).c_str(), place(window, 65).c_str(), textOf(window, 65).c_str(),
        controlClass(window, 66).c_str(), place(window, 66).c_str(), (exStyleOf(window, 66) & WS_EX_STATICEDGE) != 0,
        textOf(window, 66).c_str(), font.lfFaceName, long(font.lfWeight));
    out = text;
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  writeResult(static_cast<const char*>(resultPath), out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qvlogin <result file> [--fail n] [--texts file] | --inspect | --probe user pw\n");
    return 3;
  }
  const char* result = argv[1];
  int failures = 0;
  bool accept = false;
  qv::InterfaceTexts texts;
  bool inspect = false;
  for (int i = 2; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--fail") && i + 1 < argc) {
      failures = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--accept")) {
      accept = true;
    } else if (!std::strcmp(argv[i], "--texts") && i + 1 < argc) {
      texts.loadInterfaceTexts(argv[++i], "Login Test", "1.0");
    } else if (!std::strcmp(argv[i], "--inspect")) {
      inspect = true;
    } else if (!std::strcmp(argv[i], "--probe") && i + 2 < argc) {
      qv::Win32Privileges privileges;
      qv::SystemHandle token = privileges.impersonateUser(argv[i + 1], "", argv[i + 2]);
      writeResult(result, std::string("token=") + (token ? "1" : "0") + "\n");
      if (token) privileges.endImpersonation(token);
      return token ? 1 : 2;
    }
  }
  FailingFirst privileges(failures, accept);
  qv::Win32LoginWindow window;
  HANDLE inspector = inspect ? CreateThread(nullptr, 0, inspectLogin, const_cast<char*>(result), 0, nullptr) : nullptr;
  qv::LogonState logon;
  qv::logOnAsAdministrator(privileges, window, texts, logon);
  qv::SystemHandle token = logon.token;
  bool impersonating = logon.impersonating;
  if (inspector) {
    WaitForSingleObject(inspector, INFINITE);
    CloseHandle(inspector);
  } else {
    writeResult(result, privileges.log + "token=" + (token ? "1" : "0") + "\nimpersonating=" +
                            (impersonating ? "1" : "0") + "\n");
  }
  if (token) privileges.endImpersonation(token);
  return token ? 1 : 2;
}
