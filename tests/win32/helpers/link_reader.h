// Reads a .lnk file back through the shell's link object, for tests that check what a
// link holds. Two fields come from elsewhere: the show command from the file's header
// (Wine's link object loads it but always answers SW_SHOWNORMAL), and `item`, the
// parsing name of the last item of the link's ID list within its folder: a file's
// name, or an address as the link object took it (Wine resolves an address given as
// path against the current folder, so its path is no use there).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace qvtest {

struct LinkContents {
  bool loaded = false;
  std::string target, arguments, workingFolder, iconFile, description, item;
  int iconIndex = -1;
  int showCommand = -1;
  int hotkey = -1;
};

// The 32-bit show command at offset 0x3C of the link header; -1 when unreadable.
inline int readHeaderShowCommand(const std::string& linkFile) {
  FILE* f = std::fopen(linkFile.c_str(), "rb");
  if (!f) return -1;
  unsigned char header[0x40];
  size_t n = std::fread(header, 1, sizeof(header), f);
  std::fclose(f);
  if (n != sizeof(header) || header[0] != 0x4C) return -1;
  return int(uint32_t(header[0x3C]) | uint32_t(header[0x3D]) << 8 | uint32_t(header[0x3E]) << 16 |
             uint32_t(header[0x3F]) << 24);
}

// A name handed back by a shell folder, in the ANSI code page; a wide one is freed.
inline std::string strRetText(STRRET& result, LPCITEMIDLIST item) {
  switch (result.uType) {
    case STRRET_WSTR: {
      char text[MAX_PATH * 2] = {};
      WideCharToMultiByte(CP_ACP, 0, result.pOleStr, -1, text, sizeof(text) - 1, nullptr, nullptr);
      CoTaskMemFree(result.pOleStr);
      return text;
    }
    case STRRET_CSTR: return std::string(result.cStr);
    case STRRET_OFFSET: return std::string(reinterpret_cast<const char*>(item) + result.uOffset);
  }
  return std::string();
}

// The in-folder parsing name of the ID list's last item.
inline std::string lastItemName(IShellLinkA* link) {
  std::string name;
  LPITEMIDLIST list = nullptr;
  if (FAILED(link->GetIDList(&list)) || !list) return name;
  IShellFolder* parent = nullptr;
  LPCITEMIDLIST child = nullptr;
  if (SUCCEEDED(SHBindToParent(list, IID_IShellFolder, reinterpret_cast<void**>(&parent), &child))) {
    STRRET result;
    if (SUCCEEDED(parent->GetDisplayNameOf(child, SHGDN_INFOLDER | SHGDN_FORPARSING, &result))) {
      name = strRetText(result, child);
    }
    parent->Release();
  }
  CoTaskMemFree(list);
  return name;
}

inline LinkContents readLinkFile(const std::string& linkFile) {
  LinkContents out;
  HRESULT initialised = CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    WCHAR path[MAX_PATH * 4];
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, path, MAX_PATH * 4) > 0) {
      if (SUCCEEDED(file->Load(path, STGM_READ))) {
        out.loaded = true;
        char text[INFOTIPSIZE] = {};
        if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) out.target = text;
        text[0] = '\0';
        if (SUCCEEDED(link->GetArguments(text, INFOTIPSIZE))) out.arguments = text;
        text[0] = '\0';
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) out.workingFolder = text;
        text[0] = '\0';
        if (SUCCEEDED(link->GetDescription(text, INFOTIPSIZE))) out.description = text;
        text[0] = '\0';
        int index = -1;
        if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index))) {
          out.iconFile = text;
          out.iconIndex = index;
        }
        out.showCommand = readHeaderShowCommand(linkFile);
        out.item = lastItemName(link);
        WORD hotkey = 0;
        if (SUCCEEDED(link->GetHotkey(&hotkey))) out.hotkey = hotkey;
      }
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(initialised)) CoUninitialize();
  return out;
}

}  // namespace qvtest
