// Folder codes resolved against a stand-in system and registry.
#include "system/special_folders.h"

#include <gtest/gtest.h>

#include "unit/system/fake_system_folders.h"

namespace {

using qv::RegistryRoot;
using namespace qv::folder_code;
using qvtest::FakeRegistry;
using qvtest::FakeShellFolders;

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kAuroraPaths[] = "Software\\IonicWind\\Aurora\\PATHS";
const char kEmergencePaths[] = "Software\\IonicWind\\Emergence BASIC\\PATHS";

struct Machine {
  FakeShellFolders shell;
  FakeRegistry registry;
  qv::SpecialFolders folders{shell, registry};
  Machine() {
    registry.set(RegistryRoot::LocalMachine, kCurrentVersion, "ProgramFilesDir", "C:\\Program Files");
    registry.set(RegistryRoot::LocalMachine, kCurrentVersion, "CommonFilesDir", "C:\\Program Files\\Common Files\\");
    shell.shell[kAppData] = "C:\\Users\\me\\AppData\\Roaming";
    shell.shell[kDesktop] = "C:\\Users\\me\\Desktop\\";
    shell.shell[kPrograms] = "C:\\Users\\me\\Start Menu\\Programs";
  }
};

TEST(SpecialFolders, SystemRegistryAndShellCodesEndWithOneBackslash) {
  Machine m;
  EXPECT_EQ(m.folders.getSpecialFolder(kSystem), "C:\\WINDOWS\\system32\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kWindows), "C:\\WINDOWS\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kProgramFiles), "C:\\Program Files\\");
  // A value that already ends with a backslash keeps just that one.
  EXPECT_EQ(m.folders.getSpecialFolder(kCommonFiles), "C:\\Program Files\\Common Files\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kAppData), "C:\\Users\\me\\AppData\\Roaming\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kDesktop), "C:\\Users\\me\\Desktop\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kPrograms), "C:\\Users\\me\\Start Menu\\Programs\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kQuickLaunch),
            "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\");
  // 43 comes from the registry, never from the shell.
  int before = m.shell.shellCalls;
  m.folders.getSpecialFolder(kCommonFiles);
  EXPECT_EQ(m.shell.shellCalls, before);
}

TEST(SpecialFolders, MissingFoldersAreEmpty) {
  Machine m;
  m.shell.system.clear();
  m.shell.windows.clear();
  m.shell.shell.clear();
  m.registry.values.clear();
  EXPECT_EQ(m.folders.getSpecialFolder(kSystem), "");
  EXPECT_EQ(m.folders.getSpecialFolder(kWindows), "");
  EXPECT_EQ(m.folders.getSpecialFolder(kProgramFiles), "");
  EXPECT_EQ(m.folders.getSpecialFolder(kCommonFiles), "");
  EXPECT_EQ(m.folders.getSpecialFolder(kFonts), "");      // the shell does not know it
  EXPECT_EQ(m.folders.getSpecialFolder(-1), "");          // an unknown pseudo-code goes to the shell
  EXPECT_EQ(m.folders.getSpecialFolder(kPureBasic), "");  // not registered
  // Quick Launch without application data is the bare sub-path.
  EXPECT_EQ(m.folders.getSpecialFolder(kQuickLaunch), "Microsoft\\Internet Explorer\\Quick Launch\\");
}

TEST(SpecialFolders, AuroraAndEmergenceFromTheirBinValueOrUnderProgramFiles) {
  Machine m;
  EXPECT_EQ(m.folders.getSpecialFolder(kAurora), "C:\\Program Files\\Aurora\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kEmergence), "C:\\Program Files\\EBDev\\");
  m.registry.set(RegistryRoot::CurrentUser, kAuroraPaths, "BIN", "D:\\Dev\\Aurora\\bin");
  m.registry.set(RegistryRoot::CurrentUser, kEmergencePaths, "BIN", "D:\\EB\\bin\\");
  // The last three characters go: "bin", or "in\" of a value with a trailing backslash.
  EXPECT_EQ(m.folders.getSpecialFolder(kAurora), "D:\\Dev\\Aurora\\");
  EXPECT_EQ(m.folders.getSpecialFolder(kEmergence), "D:\\EB\\b\\");
  // A value too short to cut leaves nothing rather than reading before its start.
  m.registry.set(RegistryRoot::CurrentUser, kAuroraPaths, "BIN", "ab");
  EXPECT_EQ(m.folders.getSpecialFolder(kAurora), "");
  // Without ProgramFilesDir the fallback is the bare name.
  m.registry.values.clear();
  EXPECT_EQ(m.folders.getSpecialFolder(kAurora), "\\Aurora\\");
}

TEST(SpecialFolders, PureBasicFromTheOpenCommandOfItsRegistration) {
  Machine m;
  const char kNtKey[] = "Applications\\PureBasic.exe\\shell\\open\\command";
  const char k9xKey[] = "Software\\Classes\\PureBasic.exe\\shell\\open\\command";
  m.registry.set(RegistryRoot::ClassesRoot, kNtKey, "", "\"C:\\PureBasic\\PureBasic.exe\" \"%1\"");
  m.registry.set(RegistryRoot::LocalMachine, k9xKey, "", "\"D:\\PB9x\\PureBasic.exe\" \"%1\"");
  EXPECT_EQ(m.folders.getSpecialFolder(kPureBasic), "C:\\PureBasic\\");
  EXPECT_EQ(m.registry.defaultReads.back(), std::to_string(int(RegistryRoot::ClassesRoot)) + "|" + kNtKey);
  // No build number in bits 16 to 23: the machine's own classes.
  m.shell.version = 0xC0000A04;
  EXPECT_EQ(m.folders.getSpecialFolder(kPureBasic), "D:\\PB9x\\");
  EXPECT_EQ(m.registry.defaultReads.back(), std::to_string(int(RegistryRoot::LocalMachine)) + "|" + k9xKey);
}

TEST(SpecialFolders, FolderOfOpenCommand) {
  EXPECT_EQ(qv::folderOfOpenCommand("\"C:\\PB\\PureBasic.exe\" \"%1\""), "C:\\PB\\");
  EXPECT_EQ(qv::folderOfOpenCommand("\"C:/PB/PureBasic.exe\" \"%1\""), "C:/PB/");
  // A second quote at the start is skipped; the scan ends at a "|".
  EXPECT_EQ(qv::folderOfOpenCommand("\"\"C:\\PB\\PureBasic.exe\" \"%1\""), "C:\\PB\\");
  EXPECT_EQ(qv::folderOfOpenCommand("\"C:\\PB\\x|y\\PureBasic.exe\" \"%1\""), "C:\\PB\\");
  EXPECT_EQ(qv::folderOfOpenCommand("\"PureBasic.exe\" \"%1\""), "");
  EXPECT_EQ(qv::folderOfOpenCommand("\"\" \"%1\""), "");
  EXPECT_EQ(qv::folderOfOpenCommand("x\"%1\""), "");
  EXPECT_EQ(qv::folderOfOpenCommand(""), "");
  EXPECT_EQ(qv::folderOfOpenCommand("\"|\\\" \"%1\""), "");
}

}  // namespace
