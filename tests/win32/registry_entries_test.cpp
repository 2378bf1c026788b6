// The uninstall entry and file associations written to the real registry of the
// prefix and read back with the registry functions.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "system/associations.h"
#include "system/uninstall_entry.h"
#include "win32/registry_win32.h"
#include "win32/shell_folders_win32.h"

namespace {

std::string unique(const char* what) { return std::string(what) + std::to_string(GetCurrentProcessId()); }

// A string value as stored: its type and its bytes, the terminating zero included.
struct StoredValue {
  bool found = false;
  DWORD type = 0;
  std::string bytes;
};

StoredValue readStored(HKEY root, const std::string& key, const char* name) {
  StoredValue v;
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return v;
  char buffer[1024];
  DWORD size = sizeof(buffer);
  if (RegQueryValueExA(h, name, nullptr, &v.type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS) {
    v.found = true;
    v.bytes.assign(buffer, size);
  }
  RegCloseKey(h);
  return v;
}

// The value as a REG_SZ holding `text` and its terminating zero.
void expectString(HKEY root, const std::string& key, const char* name, const std::string& text) {
  StoredValue v = readStored(root, key, name);
  ASSERT_TRUE(v.found) << key << " " << (name ? name : "(default)");
  EXPECT_EQ(v.type, DWORD(REG_SZ)) << key;
  EXPECT_EQ(v.bytes, text + std::string(1, '\0')) << key << " " << (name ? name : "(default)");
}

bool keyExists(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

void deleteTree(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) == ERROR_SUCCESS) {
    char name[256];
    DWORD n = sizeof(name);
    while (RegEnumKeyExA(h, 0, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      deleteTree(h, name);
      n = sizeof(name);
    }
    RegCloseKey(h);
  }
  RegDeleteKeyA(root, key.c_str());
}

TEST(Win32UninstallEntry, ValuesUnderLocalMachine) {
  qv::Win32Registry registry;
  qv::RunSettings s;
  s.title = "Acme Links";
  s.version = "2.5";
  s.web = "http://acme.example/";
  s.progExe = "acme.exe";
  s.progLink = unique("Acme Links ");
  s.guid = "{" + unique("QVLINKS-") + "-0000-1111-2222-333344445555}";
  const std::string install = "C:\\Program Files\\Acme Links\\";
  const std::string key = qv::uninstallEntryKey(s.guid);
  deleteTree(HKEY_LOCAL_MACHINE, key);

  ASSERT_TRUE(qv::writeProductUninstallEntry(registry, s, install));
  expectString(HKEY_LOCAL_MACHINE, key, "DisplayName", "Acme Links  2.5");
  expectString(HKEY_LOCAL_MACHINE, key, "DisplayIcon", install + "acme.exe");
  expectString(HKEY_LOCAL_MACHINE, key, "Publisher", "");
  expectString(HKEY_LOCAL_MACHINE, key, "URLInfoAbout", "http://acme.example/");
  expectString(HKEY_LOCAL_MACHINE, key, "HelpLink", "http://acme.example/");
  expectString(HKEY_LOCAL_MACHINE, key, "Contact", "");
  expectString(HKEY_LOCAL_MACHINE, key, "UninstallString", "\"" + install + "uninstall.exe\"");
  deleteTree(HKEY_LOCAL_MACHINE, key);

  // Without a GUID the link name keys the entry; with NoUninstall there is none.
  s.guid.clear();
  const std::string byLink = qv::uninstallEntryKey(s.progLink);
  ASSERT_TRUE(qv::writeProductUninstallEntry(registry, s, install));
  expectString(HKEY_LOCAL_MACHINE, byLink, "DisplayName", "Acme Links  2.5");
  deleteTree(HKEY_LOCAL_MACHINE, byLink);
  s.noUninstall = 1;
  EXPECT_FALSE(qv::writeProductUninstallEntry(registry, s, install));
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, byLink));
}

struct Association {
  std::string extension = unique("qvlk");
  std::string program = "C:\\Program Files\\Acme Assoc\\" + unique("viewer") + ".exe";
  std::string name = unique("viewer") + ".exe";
  std::string command = "\"" + program + "\" \"%1\"";
  std::string fileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + extension;
  std::string autoClass = extension + "_auto_file";
  std::string machineClass = "Software\\Classes\\" + name;

  void removeAll() {
    deleteTree(HKEY_CLASSES_ROOT, "Applications\\" + name);
    deleteTree(HKEY_CLASSES_ROOT, "." + extension);
    deleteTree(HKEY_CLASSES_ROOT, autoClass);
    deleteTree(HKEY_CURRENT_USER, fileExts);
    deleteTree(HKEY_LOCAL_MACHINE, "Software\\Classes\\." + extension);
    deleteTree(HKEY_LOCAL_MACHINE, machineClass);
  }
  Association() { removeAll(); }
  ~Association() { removeAll(); }
};

void expectApplicationsBranch(const Association& a) {
  expectString(HKEY_CLASSES_ROOT, "Applications\\" + a.name + "\\shell\\open\\command", nullptr, a.command);
  expectString(HKEY_CLASSES_ROOT, "." + a.extension, nullptr, a.autoClass);
  expectString(HKEY_CLASSES_ROOT, a.autoClass, nullptr, "Acme document");
  expectString(HKEY_CLASSES_ROOT, a.autoClass + "\\DefaultIcon", nullptr, "C:\\Acme\\doc.ico,1");
  expectString(HKEY_CURRENT_USER, a.fileExts, "Application", a.name);
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, a.autoClass + "\\shell"));
}

void expectMachineBranch(const Association& a) {
  expectString(HKEY_LOCAL_MACHINE, "Software\\Classes\\." + a.extension, nullptr, a.name);
  expectString(HKEY_LOCAL_MACHINE, a.machineClass, nullptr, "Acme document");
  expectString(HKEY_LOCAL_MACHINE, a.machineClass + "\\DefaultIcon", nullptr, "C:\\Acme\\doc.ico,1");
  expectString(HKEY_LOCAL_MACHINE, a.machineClass + "\\shell\\open\\command", nullptr, a.command);
}

TEST(Win32Associations, TheBranchWinesVersionSelects) {
  qv::Win32Registry registry;
  uint32_t version = qv::Win32ShellFolders().systemVersion();
  bool applications = qv::associatesThroughApplications(version);
  std::printf("GetVersion: 0x%08lX, build %lu: %s\n", static_cast<unsigned long>(version),
              static_cast<unsigned long>(version >> 16 & 0x7FFF),
              applications ? "Applications key and Explorer choice" : "classes under HKEY_LOCAL_MACHINE");
  Association a;
  qv::associateExtension(registry, version, a.extension, "Acme document", a.program, "C:\\Acme\\doc.ico,1");
  if (applications) {
    expectApplicationsBranch(a);
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, a.machineClass));
  } else {
    expectMachineBranch(a);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, a.fileExts));
  }
}

TEST(Win32Associations, BothBranchesWithMadeUpVersions) {
  qv::Win32Registry registry;
  {
    Association a;
    qv::associateExtension(registry, 0x0A280105, a.extension, "Acme document", a.program, "C:\\Acme\\doc.ico,1");
    expectApplicationsBranch(a);
  }
  {
    Association a;
    qv::associateExtension(registry, 0xC0000004, a.extension, "Acme document", a.program, "C:\\Acme\\doc.ico,1");
    expectMachineBranch(a);
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "Applications\\" + a.name));
  }
  {
    Association a;  // no description, no icon
    qv::associateExtension(registry, 0xC0000004, a.extension, "", a.program, "");
    expectString(HKEY_LOCAL_MACHINE, a.machineClass, nullptr, a.name);
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, a.machineClass + "\\DefaultIcon"));
  }
}

}  // namespace
