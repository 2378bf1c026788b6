#include "control_access.h"

#include <commctrl.h>

namespace qv {
namespace {

const UINT kAnswerMs = 5000;

// Texts travel as UTF-16 and are converted here: Wine hands some ANSI list texts of
// another process back in UTF-16 regardless of the message's character set.
bool sendQuery(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT& result, bool wide = false) {
  DWORD_PTR answer = 0;
  BOOL sent = wide ? SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerMs, &answer)
                   : SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerMs, &answer);
  if (!sent) return false;
  result = LRESULT(answer);
  return true;
}

std::string narrowText(const wchar_t* text, size_t length) {
  if (length == 0) return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, text, int(length), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, int(length), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring widenText(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &out[0], n);
  return out;
}

struct Search {
  long number;
  HWND parent;
  HWND direct = nullptr;
  HWND deeper = nullptr;
};

BOOL CALLBACK matchControl(HWND child, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  if ((GetDlgCtrlID(child) & 0xFFFF) != (search->number & 0xFFFF)) return TRUE;
  if (GetParent(child) == search->parent) {
    search->direct = child;
    return FALSE;
  }
  if (!search->deeper) search->deeper = child;
  return TRUE;
}

enum class ListKind { None, Combo, List, Tree };

ListKind kindOf(HWND control) {
  std::string name = readClassName(control);
  if (lstrcmpiA(name.c_str(), "ComboBox") == 0) return ListKind::Combo;
  if (lstrcmpiA(name.c_str(), WC_TREEVIEWA) == 0) return ListKind::Tree;
  if (lstrcmpiA(name.c_str(), "ListBox") == 0 || lstrcmpiA(name.c_str(), "ComboLBox") == 0) return ListKind::List;
  return ListKind::None;
}

// A tree's items, depth first, as the paths of their texts joined by "\\". Tree
// messages carry pointers the system does not carry across processes: the item record
// and its text live in a block of the program's own memory.
class TreeReader {
 public:
  explicit TreeReader(HWND tree) : tree_(tree) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_) remote_ = VirtualAllocEx(process_, nullptr, kBlock, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~TreeReader() {
    if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  bool usable() const { return remote_ != nullptr; }

  // Every item in order with its path; false when the program does not answer.
  bool readTree(std::vector<std::string>& paths, std::vector<HTREEITEM>& handles) {
    return readLevel(TVI_ROOT, std::string(), paths, handles);
  }

 private:
  static const size_t kBlock = 4096;

  HTREEITEM next(HTREEITEM item, WPARAM relation) {
    LRESULT result = 0;
    if (!sendQuery(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item), result)) return nullptr;
    return reinterpret_cast<HTREEITEM>(result);
  }
  bool readItemText(HTREEITEM item, std::string& text) {
    char* base = static_cast<char*>(remote_);
    TVITEMA record = {};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = base + sizeof(TVITEMA);
    record.cchTextMax = int(kBlock - sizeof(TVITEMA));
    LRESULT answered = 0;
    if (!WriteProcessMemory(process_, remote_, &record, sizeof record, nullptr) ||
        !sendQuery(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_), answered) || !answered)
      return false;
    std::vector<char> buffer(kBlock - sizeof(TVITEMA));
    if (!ReadProcessMemory(process_, base + sizeof(TVITEMA), buffer.data(), buffer.size(), nullptr)) return false;
    buffer.back() = '\0';
    text = buffer.data();
    return true;
  }
  bool readLevel(HTREEITEM parent, const std::string& prefix, std::vector<std::string>& paths,
                 std::vector<HTREEITEM>& handles) {
    HTREEITEM item = parent == TVI_ROOT ? next(nullptr, TVGN_ROOT) : next(parent, TVGN_CHILD);
    for (; item; item = next(item, TVGN_NEXT)) {
      std::string text;
      if (!readItemText(item, text)) return false;
      paths.push_back(prefix + text);
      handles.push_back(item);
      if (!readLevel(item, prefix + text + "\\", paths, handles)) return false;
    }
    return true;
  }

  HWND tree_;
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;
};

bool readTree(HWND tree, std::vector<std::string>& paths, std::vector<HTREEITEM>& handles, std::string& why) {
  TreeReader reader(tree);
  if (!reader.usable() || !reader.readTree(paths, handles)) {
    why = "the tree's items cannot be read";
    return false;
  }
  return true;
}

}  // namespace

HWND findControl(HWND window, long number) {
  if (number == 0) return window;
  Search search{number, window};
  EnumChildWindows(window, matchControl, reinterpret_cast<LPARAM>(&search));
  return search.direct ? search.direct : search.deeper;
}

std::string readClassName(HWND control) {
  char name[256];
  int n = GetClassNameA(control, name, sizeof(name));
  return std::string(name, n > 0 ? size_t(n) : 0);
}

bool readText(HWND control, std::string& text) {
  LRESULT length = 0;
  if (!sendQuery(control, WM_GETTEXTLENGTH, 0, 0, length, true)) return false;
  std::vector<wchar_t> buffer(size_t(length < 0 ? 0 : length) + 2);
  LRESULT copied = 0;
  if (!sendQuery(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied, true)) {
    return false;
  }
  if (copied < 0 || size_t(copied) >= buffer.size()) copied = 0;
  text = narrowText(buffer.data(), size_t(copied));
  return true;
}

bool writeText(HWND control, const std::string& text) {
  std::wstring wide = widenText(text);
  LRESULT ignored = 0;
  return sendQuery(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), ignored, true);
}

bool readItems(HWND control, std::vector<std::string>& items, std::string& why) {
  items.clear();
  ListKind kind = kindOf(control);
  if (kind == ListKind::None) {
    why = "control of class " + readClassName(control) + " has no items";
    return false;
  }
  if (kind == ListKind::Tree) {
    std::vector<HTREEITEM> handles;
    return readTree(control, items, handles, why);
  }
  UINT countMsg = kind == ListKind::Combo ? CB_GETCOUNT : LB_GETCOUNT;
  UINT lengthMsg = kind == ListKind::Combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  UINT textMsg = kind == ListKind::Combo ? CB_GETLBTEXT : LB_GETTEXT;
  LRESULT count = 0;
  if (!sendQuery(control, countMsg, 0, 0, count) || count < 0) {
    why = "the program does not answer";
    return false;
  }
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = 0;
    if (!sendQuery(control, lengthMsg, WPARAM(i), 0, length, true) || length < 0) {
      why = "item " + std::to_string(long(i)) + " cannot be read";
      return false;
    }
    std::vector<wchar_t> buffer(size_t(length) + 2);
    LRESULT copied = 0;
    if (!sendQuery(control, textMsg, WPARAM(i), reinterpret_cast<LPARAM>(buffer.data()), copied, true) ||
        copied < 0) {
      why = "item " + std::to_string(long(i)) + " cannot be read";
      return false;
    }
    if (size_t(copied) >= buffer.size()) copied = LRESULT(buffer.size() - 1);
    items.push_back(narrowText(buffer.data(), size_t(copied)));
  }
  return true;
}

bool selectItem(HWND control, long index, std::string& why) {
  ListKind kind = kindOf(control);
  if (kind == ListKind::None) {
    why = "control of class " + readClassName(control) + " has no items";
    return false;
  }
  if (kind == ListKind::Tree) {
    // The tree tells its owner itself (TVN_SELCHANGED), as after a user's click.
    std::vector<std::string> paths;
    std::vector<HTREEITEM> handles;
    if (!readTree(control, paths, handles, why)) return false;
    if (index < 0 || size_t(index) >= handles.size()) {
      why = "no item " + std::to_string(index) + " (the tree has " + std::to_string(handles.size()) + ")";
      return false;
    }
    LRESULT selected = 0;
    if (!sendQuery(control, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(handles[size_t(index)]), selected) ||
        !selected) {
      why = "the tree refused the selection";
      return false;
    }
    return true;
  }
  LRESULT count = 0;
  if (!sendQuery(control, kind == ListKind::Combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, count)) {
    why = "the program does not answer";
    return false;
  }
  if (index < 0 || index >= count) {
    why = "no item " + std::to_string(index) + " (the control has " + std::to_string(long(count)) + ")";
    return false;
  }
  LRESULT result = 0;
  if (!sendQuery(control, kind == ListKind::Combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(index), 0, result) ||
      result == (kind == ListKind::Combo ? CB_ERR : LB_ERR)) {
    why = "the control refused the selection";
    return false;
  }
  HWND owner = GetParent(control);
  WORD code = kind == ListKind::Combo ? CBN_SELCHANGE : LBN_SELCHANGE;
  WPARAM w = MAKEWPARAM(GetDlgCtrlID(control) & 0xFFFF, code);
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutA(owner, WM_COMMAND, w, reinterpret_cast<LPARAM>(control), SMTO_NORMAL, 1000, &ignored)) {
    return true;
  }
  if (GetLastError() == ERROR_TIMEOUT) return true;  // busy with what the choice started, as after a click
  why = "the owner window takes no notification (error " + std::to_string(GetLastError()) + ")";
  return false;
}

bool readSelection(HWND control, long& index, std::string& why) {
  ListKind kind = kindOf(control);
  if (kind == ListKind::None) {
    why = "control of class " + readClassName(control) + " has no items";
    return false;
  }
  if (kind == ListKind::Tree) {
    std::vector<std::string> paths;
    std::vector<HTREEITEM> handles;
    if (!readTree(control, paths, handles, why)) return false;
    LRESULT caret = 0;
    if (!sendQuery(control, TVM_GETNEXTITEM, TVGN_CARET, 0, caret)) {
      why = "the program does not answer";
      return false;
    }
    index = -1;
    for (size_t i = 0; i < handles.size(); ++i)
      if (handles[i] == reinterpret_cast<HTREEITEM>(caret)) index = long(i);
    return true;
  }
  LRESULT result = 0;
  if (!sendQuery(control, kind == ListKind::Combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0, result)) {
    why = "the program does not answer";
    return false;
  }
  index = long(result);
  return true;
}

bool readCheck(HWND control, long& state) {
  LRESULT result = 0;
  if (!sendQuery(control, BM_GETCHECK, 0, 0, result)) return false;
  state = long(result);
  return true;
}

bool clickButton(HWND control, std::string& why) {
  if (!IsWindowEnabled(control)) {
    why = "the button is disabled";
    return false;
  }
  DWORD_PTR ignored = 0;
  if (SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_NORMAL, 1000, &ignored)) return true;
  if (GetLastError() == ERROR_TIMEOUT) return true;  // busy with what the click started
  if (!IsWindow(control)) return true;               // the click ended the window
  why = "the button cannot be clicked (error " + std::to_string(GetLastError()) + ")";
  return false;
}

}  // namespace qv
