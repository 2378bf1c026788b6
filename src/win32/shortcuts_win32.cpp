#include "win32/shortcuts_win32.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "win32/com_win32.h"

namespace qv {
namespace {

// Wide characters the link path may take, its terminating zero included.
constexpr int kLinkPathCapacity = 1000;

const CLSID kShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Sets the fields, then saves through the file interface. The setters' results are
// not looked at: a field the object refuses shows up in the saved link, not here.
int saveThrough(IShellLinkA* link, const ShortcutFields& fields) {
  link->SetPath(fields.target.c_str());
  link->SetArguments(fields.arguments.c_str());
  link->SetWorkingDirectory(fields.workingFolder.c_str());
  link->SetDescription(fields.description.c_str());
  link->SetShowCmd(fields.showCommand);
  link->SetHotkey(WORD(fields.hotkey));
  link->SetIconLocation(fields.iconFile.c_str(), fields.iconIndex);

  ComPointer<IPersistFile> file;
  if (FAILED(link->QueryInterface(kPersistFile, file.out())) || !file) return 0;
  // MultiByteToWideChar writes no more than the capacity and answers 0 for a path
  // that does not fit; such a path is not saved.
  WCHAR path[kLinkPathCapacity];
  if (MultiByteToWideChar(CP_ACP, 0, fields.linkFile.c_str(), -1, path, kLinkPathCapacity) <= 0) return 0;
  return SUCCEEDED(file->Save(path, TRUE)) ? 1 : 0;
}

}  // namespace

int Win32ShellLinks::saveShellLink(const ShortcutFields& fields) {
  // Each link pairs an initialisation of COM with its own uninitialisation.
  ComApartment apartment;
  ComPointer<IShellLinkA> link;
  if (FAILED(CoCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, kShellLinkA, link.out())) || !link) return 0;
  return saveThrough(link.get(), fields);
}

}  // namespace qv
