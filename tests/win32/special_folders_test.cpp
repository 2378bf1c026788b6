// Special folders and placeholders against the real shell and registry of the prefix.
#include "runtime/paths.h"
#include "system/special_folders.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/file.h"
#include "system/placeholders.h"
#include "win32/registry_win32.h"
#include "win32/shell_folders_win32.h"

namespace {

using namespace qv::folder_code;
using qv::RegistryRoot;

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

struct RealMachine {
  qv::Win32ShellFolders shell;
  qv::Win32Registry registry;
  qv::SpecialFolders folders{shell, registry};
};

// Deletes a key and its values; the key must have no subkeys.
void deleteKey(HKEY root, const char* key) { RegDeleteKeyA(root, key); }

TEST(Win32SpecialFolders, EveryCodeOfTheTableNamesAnExistingFolder) {
  RealMachine m;
  for (int code : {kSystem, kWindows, kProgramFiles, kCommonFiles, kDesktop, kPrograms, kDocuments, kStartup,
                   kFonts, kCommonPrograms, kAppData}) {
    std::string folder = m.folders.getSpecialFolder(code);
    ASSERT_FALSE(folder.empty()) << code;
    EXPECT_EQ(folder.back(), '\\') << code;
    EXPECT_NE(folder.substr(folder.size() - 2), "\\\\") << code;
    EXPECT_TRUE(qv::folderExists(folder)) << code << " " << folder;
  }
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(m.folders.getSpecialFolder(kWindows), std::string(windows) + "\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kQuickLaunch),
            m.folders.getSpecialFolder(kAppData) + "Microsoft\\Internet Explorer\\Quick Launch\\");
  // Not registered in a fresh prefix, and a code the shell does not know.
  EXPECT_EQ(m.folders.getSpecialFolder(kPureBasic), "");
  EXPECT_EQ(m.folders.getSpecialFolder(-1), "");
  EXPECT_EQ(m.folders.getSpecialFolder(0x7F), "");
}

TEST(Win32SpecialFolders, ProgramAndCommonFilesFromTheRegistry) {
  RealMachine m;
  std::string programFiles = m.registry.readString(RegistryRoot::LocalMachine, kCurrentVersion, "ProgramFilesDir");
  ASSERT_FALSE(programFiles.empty());
  EXPECT_NE(programFiles.back(), '\\');
  EXPECT_EQ(m.folders.getSpecialFolder(kProgramFiles), programFiles + "\\");
  std::string common = m.registry.readString(RegistryRoot::LocalMachine, kCurrentVersion, "CommonFilesDir");
  ASSERT_FALSE(common.empty());
  EXPECT_EQ(m.folders.getSpecialFolder(kCommonFiles), qv::withTrailingBackslash(common));
  EXPECT_EQ(qv::expandPlaceholders("%ProgramFiles%MyApp", true, m.folders), programFiles + "\\MyApp");
  EXPECT_EQ(qv::expandPlaceholders("MyApp", true, m.folders), programFiles + "\\MyApp");
  EXPECT_EQ(qv::expandPlaceholders("%CommonFiles%Acme\\", true, m.folders),
            m.folders.getSpecialFolder(kCommonFiles) + "Acme\\");
}

TEST(Win32SpecialFolders, AuroraAndEmergenceWithAndWithoutTheirBinValue) {
  RealMachine m;
  const char kAuroraPaths[] = "Software\\IonicWind\\Aurora\\PATHS";
  const char kEmergencePaths[] = "Software\\IonicWind\\Emergence BASIC\\PATHS";
  deleteKey(HKEY_CURRENT_USER, kAuroraPaths);
  deleteKey(HKEY_CURRENT_USER, kEmergencePaths);
  std::string programFiles = m.registry.readString(RegistryRoot::LocalMachine, kCurrentVersion, "ProgramFilesDir");
  EXPECT_EQ(m.folders.getSpecialFolder(kAurora), programFiles + "\\Aurora\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kEmergence), programFiles + "\\EBDev\\");
  EXPECT_EQ(qv::expandPlaceholders("%Aurora%inc", false, m.folders), programFiles + "\\Aurora\\inc");

  ASSERT_EQ(m.registry.writeString(RegistryRoot::CurrentUser, kAuroraPaths, "BIN", "D:\\Aurora\\bin"), 2);
  ASSERT_EQ(m.registry.writeString(RegistryRoot::CurrentUser, kEmergencePaths, "BIN", "E:\\EBasic\\Bin"), 2);
  EXPECT_EQ(m.folders.getSpecialFolder(kAurora), "D:\\Aurora\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kEmergence), "E:\\EBasic\\");
  EXPECT_EQ(qv::expandPlaceholders("%Emergency%x", false, m.folders), "E:\\EBasic\\x");
  // An empty value counts as missing.
  ASSERT_EQ(m.registry.writeString(RegistryRoot::CurrentUser, kAuroraPaths, "BIN", ""), 2);
  EXPECT_EQ(m.folders.getSpecialFolder(kAurora), programFiles + "\\Aurora\\");
  deleteKey(HKEY_CURRENT_USER, kAuroraPaths);
  deleteKey(HKEY_CURRENT_USER, kEmergencePaths);
}

TEST(Win32SpecialFolders, PureBasicFromItsRegisteredOpenCommand) {
  RealMachine m;
  const char kNtKey[] = "Applications\\PureBasic.exe\\shell\\open\\command";
  const char k9xKey[] = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";
  HKEY h;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, kNtKey, &h), ERROR_SUCCESS);
  const char ntCommand[] = "\"C:\\PureBasic NT\\PureBasic.exe\" \"%1\"";
  RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(ntCommand), sizeof(ntCommand));
  RegCloseKey(h);
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, k9xKey, &h), ERROR_SUCCESS);
  const char oldCommand[] = "\"C:\\PureBasic 9x\\PureBasic.exe\" \"%1\"";
  RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(oldCommand), sizeof(oldCommand));
  RegCloseKey(h);

  bool ntLine = (m.shell.systemVersion() & 0x00FF0000u) != 0;
  EXPECT_EQ(m.folders.getSpecialFolder(kPureBasic), ntLine ? "C:\\PureBasic NT\\" : "C:\\PureBasic 9x\\");
  EXPECT_EQ(qv::expandPlaceholders("%PureBasic%Compilers\\", false, m.folders),
            std::string(ntLine ? "C:\\PureBasic NT\\" : "C:\\PureBasic 9x\\") + "Compilers\\");

  for (const char* key : {kNtKey, k9xKey}) {
    HKEY root = key == kNtKey ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE;
    std::string path = key;
    // Remove the chain up to the program's own key, leaf first.
    for (int level = 0; level < 4; ++level) {
      RegDeleteKeyA(root, path.c_str());
      path = path.substr(0, path.rfind('\\'));
    }
  }
  EXPECT_EQ(m.folders.getSpecialFolder(kPureBasic), "");
}

}  // namespace
