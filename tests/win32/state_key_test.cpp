// The state key of an earlier run through the real registry: the second run proposes
// its folder, start-menu name and desktop state, and the command line still wins.
#include <gtest/gtest.h>
#include <windows.h>

#include "run/install_settings.h"
#include "runtime/file.h"
#include "setup/setup_description.h"
#include "support/scratch_folder.h"
#include "win32/registry_win32.h"
#include "win32/shell_folders_win32.h"

namespace {

const char kGuid[] = "{5E77D0C4-3B1A-4A57-9C1E-6F0A2B3C4D5E}";

TEST(Win32StateKey, EarlierRunProposesItsChoicesAndOverridesWin) {
  std::string key = std::string("SOFTWARE\\Quarvel\\") + kGuid;
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  qvtest::ScratchFolder dir;
  std::string ini = std::string("[Info]\r\nTitel = Acme\r\nGUID = ") + kGuid +
                    "\r\n[Settings]\r\nDefaultDir = %ProgramFiles%Acme\\Tool\r\n"
                    "[StartMenue]\r\nDefaultDir = Acme\r\n[Task]\r\nDesktop = 0\r\n";
  std::string path = dir / "setup.ini";
  ASSERT_TRUE(qv::writeWholeFile(path, ini.data(), ini.size()));

  qv::Win32Registry registry;
  qv::Win32ShellFolders shell;
  qv::SpecialFolders folders(shell, registry);
  std::string programFiles = folders.getSpecialFolder(qv::folder_code::kProgramFiles);
  ASSERT_FALSE(programFiles.empty());

  qv::RunSettings first;
  qv::readSetupDescription(path, first);
  qv::readInstallSettings(path, "", "", registry, folders, first);
  EXPECT_EQ(first.installFolder, programFiles + "Acme\\Tool");
  EXPECT_EQ(first.startMenuFolderName, "Acme");
  EXPECT_EQ(first.desktopIcon, 0);
  qv::completeStartMenuFolderName(first);
  qv::formStartMenuPath(first, folders);
  EXPECT_EQ(first.startMenuPath, folders.getSpecialFolder(qv::folder_code::kPrograms) + "Acme\\");

  qv::writeStateKey(registry, first.guid, "C:\\Earlier\\Acme\\", "Earlier Menu", true);
  EXPECT_EQ(registry.readString(qv::RegistryRoot::CurrentUser, key, "InstallDir"), "C:\\Earlier\\Acme\\");

  qv::RunSettings second;
  qv::readSetupDescription(path, second);
  qv::readInstallSettings(path, "", "", registry, folders, second);
  EXPECT_EQ(second.installFolder, "C:\\Earlier\\Acme\\");
  EXPECT_EQ(second.startMenuFolderName, "Earlier Menu");
  EXPECT_EQ(second.desktopIcon, 1);
  EXPECT_EQ(second.defaultFolderName, "Tool");

  qv::RunSettings overridden;
  qv::readSetupDescription(path, overridden);
  qv::readInstallSettings(path, "D:\\Chosen\\", "Chosen Menu", registry, folders, overridden);
  EXPECT_EQ(overridden.installFolder, "D:\\Chosen\\");
  EXPECT_EQ(overridden.startMenuFolderName, "Chosen Menu");
  EXPECT_EQ(overridden.desktopIcon, 1);

  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  qv::RunSettings gone;
  qv::readSetupDescription(path, gone);
  qv::readInstallSettings(path, "", "", registry, folders, gone);
  EXPECT_EQ(gone.installFolder, programFiles + "Acme\\Tool");
}

}  // namespace
