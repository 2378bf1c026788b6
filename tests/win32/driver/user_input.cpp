#include "user_input.h"

#include <vector>

namespace qv {
namespace {

struct NamedKey {
  const char* name;
  WORD code;
};

const NamedKey kKeys[] = {
    {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"TAB", VK_TAB},
    {"SPACE", VK_SPACE},   {"UP", VK_UP},        {"DOWN", VK_DOWN},     {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT},   {"HOME", VK_HOME},    {"END", VK_END},       {"DELETE", VK_DELETE},
    {"BACK", VK_BACK},     {"PRIOR", VK_PRIOR},  {"NEXT", VK_NEXT},
};

INPUT keyInput(WORD code, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = code;
  input.ki.wScan = WORD(MapVirtualKeyA(code, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

bool sendInputs(std::vector<INPUT>& inputs, std::string& why) {
  UINT sent = SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) {
    why = "the input was not accepted (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  return true;
}

}  // namespace

WORD keyCodeFor(const std::string& name) {
  for (const NamedKey& key : kKeys) {
    if (lstrcmpiA(name.c_str(), key.name) == 0) return key.code;
  }
  if (name.size() == 1) {
    char c = name[0];
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return WORD(c);
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    for (size_t i = 1; i < name.size(); ++i) {
      if (name[i] < '0' || name[i] > '9' || n > 24) return 0;
      n = n * 10 + (name[i] - '0');
    }
    if (n >= 1 && n <= 12) return WORD(VK_F1 + n - 1);
  }
  return 0;
}

bool bringToFront(HWND top, std::string& why) {
  if (!IsWindow(top)) {
    why = "the window is gone";
    return false;
  }
  SetForegroundWindow(top);
  BringWindowToTop(top);
  // Give the program time to take the activation before input arrives.
  for (int i = 0; i < 150 && GetForegroundWindow() != top; ++i) Sleep(20);
  if (GetForegroundWindow() != top) {
    why = "the window did not come to the front";
    return false;
  }
  return true;
}

bool clickAtCentre(HWND control, std::string& why) {
  HWND top = GetAncestor(control, GA_ROOT);
  if (!bringToFront(top, why)) return false;
  RECT rect;
  if (!GetWindowRect(control, &rect)) {
    why = "the control has no place on the screen";
    return false;
  }
  int x = (rect.left + rect.right) / 2;
  int y = (rect.top + rect.bottom) / 2;
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (x < 0 || y < 0 || x >= width || y >= height || width < 2 || height < 2) {
    why = "the control's centre lies off the screen";
    return false;
  }
  std::vector<INPUT> inputs(3);
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG(x * 65535LL / (width - 1));
    input.mi.dy = LONG(y * 65535LL / (height - 1));
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  return sendInputs(inputs, why);
}

bool pressKey(HWND top, const std::string& name, std::string& why) {
  std::vector<WORD> modifiers;
  std::string rest = name;
  for (;;) {
    size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 == rest.size()) break;
    std::string modifier = rest.substr(0, plus);
    if (lstrcmpiA(modifier.c_str(), "ALT") == 0) {
      modifiers.push_back(VK_MENU);
    } else if (lstrcmpiA(modifier.c_str(), "CTRL") == 0) {
      modifiers.push_back(VK_CONTROL);
    } else if (lstrcmpiA(modifier.c_str(), "SHIFT") == 0) {
      modifiers.push_back(VK_SHIFT);
    } else {
      why = "unknown modifier '" + modifier + "'";
      return false;
    }
    rest = rest.substr(plus + 1);
  }
  WORD code = keyCodeFor(rest);
  if (!code) {
    why = "unknown key '" + rest + "'";
    return false;
  }
  if (!bringToFront(top, why)) return false;
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(keyInput(m, false));
  inputs.push_back(keyInput(code, false));
  inputs.push_back(keyInput(code, true));
  for (size_t i = modifiers.size(); i > 0; --i) inputs.push_back(keyInput(modifiers[i - 1], true));
  return sendInputs(inputs, why);
}

}  // namespace qv
