#include "win32/start_menu_picker_win32.h"

#include <commctrl.h>

#include <vector>

#include "win32/window_kit_win32.h"
#include "wizard/start_menu_folders.h"

namespace qv {
namespace {

const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct PickerState {
  bool closed = false;
  bool applied = false;
  int scopeClicked = 0;  // 40 or 41 when an option was clicked, until the wait handles it
};

LRESULT CALLBACK pickerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (auto* state = windowState<PickerState>(window, message, lParam)) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      const int number = LOWORD(wParam);
      if (number == kPickerApply) state->applied = true;
      if (number == kPickerCurrentUser || number == kPickerAllUsers) state->scopeClicked = number;
      PostMessageA(window, WM_NULL, 0, 0);  // a click sent from elsewhere ends the wait's GetMessage
      return 0;
    }
    if (message == WM_CLOSE) {
      state->closed = true;
      PostMessageA(window, WM_NULL, 0, 0);
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool allUsersChosen(HWND window) {
  return SendMessageA(GetDlgItem(window, kPickerAllUsers), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The tree of one scope: its folders' items, each under the last item one level up,
// each knowing its index (its item data).
struct PickerTree {
  std::vector<StartMenuTreeItem> items;

  void load(const std::string& programsFolder) { items = startMenuTree(listStartMenuFolders(programsFolder)); }

  // Shows the items in the tree; returns the tree item of index `wanted`, or null.
  HTREEITEM show(HWND tree, int wanted) const {
    TreeView_DeleteAllItems(tree);
    // The folder walk stops 64 levels down; deeper items would go to the root.
    HTREEITEM parents[66];
    size_t depth = 0;
    HTREEITEM found = nullptr;
    for (size_t i = 0; i < items.size(); ++i) {
      const size_t level = size_t(items[i].level);
      if (depth > level) depth = level;
      TVINSERTSTRUCTA insert = {};
      insert.hParent = depth == 0 || depth < level ? TVI_ROOT : parents[depth - 1];
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT | TVIF_PARAM;
      insert.item.pszText = const_cast<char*>(items[i].name.c_str());
      insert.item.lParam = LPARAM(i);
      HTREEITEM made =
          reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
      if (depth == level && depth < sizeof(parents) / sizeof(parents[0])) parents[depth++] = made;
      if (int(i) == wanted) found = made;
    }
    return found;
  }
  int selected(HWND tree) const {
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = TreeView_GetSelection(tree);
    if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return size_t(item.lParam) < items.size() ? int(item.lParam) : -1;
  }
};

}  // namespace

std::string pickStartMenuFolder(HWND wizard, const std::string& fieldText, const std::string& userPrograms,
                                const std::string& commonPrograms, const InterfaceTexts& texts) {
  if (!registerWindowClass(kStartMenuPickerClass, pickerProcedure)) return std::string();
  PickerState state;
  // Centred on the wizard, which is the active window here.
  HWND window = createSizedWindow(kStartMenuPickerClass, texts.text(TextId::Rq3Titel), kStyle, 250, 350,
                                  Placement::ActiveWindow, &state, wizard);
  if (!window) return std::string();
  static const TextedControl kControls[] = {
      {kPickerApply, TextId::ButtonApply, 85, 319, 80, 22, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0},
      {kPickerTree, TextId::Count, 10, 10, 230, 280, WC_TREEVIEWA,
       TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 0},
      {kPickerCurrentUser, TextId::Rq3User, 10, 295, 115, 15, "BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0},
      {kPickerAllUsers, TextId::Rq3AllUsers, 125, 295, 115, 15, "BUTTON", BS_AUTORADIOBUTTON, 0},
  };
  if (!createTextedControls(window, kControls, sizeof(kControls) / sizeof(kControls[0]), texts)) {
    DestroyWindow(window);
    return std::string();
  }
  if (wizard) EnableWindow(wizard, FALSE);

  HWND tree = GetDlgItem(window, kPickerTree);
  SendMessageA(GetDlgItem(window, kPickerCurrentUser), BM_SETCHECK, BST_CHECKED, 0);
  PickerTree items;
  items.load(userPrograms);
  HTREEITEM preselected = items.show(tree, findStartMenuItem(items.items, fieldText));
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(tree);
  if (preselected) TreeView_SelectItem(tree, preselected);

  std::string result;
  WaitRules rules;
  rules.ignoreOtherInput = true;
  while (waitForWindow(window, rules, [&] { return state.closed || state.applied || state.scopeClicked != 0; })) {
    if (state.closed) break;
    if (state.scopeClicked) {
      // The scope follows the option that is selected now.
      items.load(allUsersChosen(window) ? commonPrograms : userPrograms);
      items.show(tree, -1);
      state.scopeClicked = 0;
      continue;
    }
    state.applied = false;
    const std::string path = startMenuItemPath(items.items, items.selected(tree));
    if (path.empty()) {
      MessageBoxA(window, texts.text(TextId::Rq1Msg).c_str(), (" " + texts.text(TextId::Rq1Titel)).c_str(),
                  MB_OK | MB_ICONERROR);
      continue;
    }
    result = path + "|" + (allUsersChosen(window) ? commonPrograms : userPrograms);
    break;
  }
  if (wizard) EnableWindow(wizard, TRUE);
  DestroyWindow(window);
  if (wizard) SetForegroundWindow(wizard);
  return result;
}

}  // namespace qv
