// Shortcuts written through the shell's link object and read back through it, in the
// prefix's desktop, start-menu and Startup folders.
#include "system/shortcuts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "system/special_folders.h"
#include "win32/helpers/link_reader.h"
#include "win32/registry_win32.h"
#include "win32/shell_folders_win32.h"
#include "win32/shortcuts_win32.h"

namespace {

using namespace qv::folder_code;
using qvtest::LinkContents;
using qvtest::readLinkFile;

struct RealMachine {
  qv::Win32ShellFolders shell;
  qv::Win32Registry registry;
  qv::SpecialFolders folders{shell, registry};
  qv::Win32ShellLinks links;
};

// A name no other test run uses at the same time.
std::string uniqueName(const char* what) {
  return std::string("qvlinks-") + what + "-" + std::to_string(GetCurrentProcessId());
}

void makeFile(const std::string& path) {
  qv::ensureFolderChain(path);
  ASSERT_TRUE(qv::writeWholeFile(path, "MZ", 2)) << path;
}

void expectLink(const std::string& linkFile, const std::string& target, const std::string& arguments,
                const std::string& workingFolder, const std::string& iconFile, int iconIndex) {
  LinkContents link = readLinkFile(linkFile);
  ASSERT_TRUE(link.loaded) << linkFile;
  EXPECT_EQ(link.target, target) << linkFile;
  EXPECT_EQ(link.item, target.substr(target.find_last_of('\\') + 1)) << linkFile;
  EXPECT_EQ(link.arguments, arguments) << linkFile;
  EXPECT_EQ(link.workingFolder, workingFolder) << linkFile;
  EXPECT_EQ(link.iconFile, iconFile) << linkFile;
  EXPECT_EQ(link.iconIndex, iconIndex) << linkFile;
  EXPECT_EQ(link.showCommand, SW_SHOWNORMAL) << linkFile;
  EXPECT_EQ(link.description, "") << linkFile;
  EXPECT_EQ(link.hotkey, 0) << linkFile;
}

TEST(Win32Shortcuts, EveryFieldOnTheDesktopAndInTheStartupFolder) {
  RealMachine m;
  qvtest::ScratchFolder dir;
  const std::string target = dir / "App\\tool.exe";
  makeFile(target);
  makeFile(dir / "App\\tool.ico");

  const std::string desktopLink = m.folders.getSpecialFolder(kDesktop) + uniqueName("fields") + ".lnk";
  EXPECT_EQ(qv::createShortcut(m.links, target, desktopLink, dir / "App", "/a \"b c\"", SW_SHOWMINNOACTIVE,
                               "A comment", MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT), dir / "App\\tool.ico", 3),
            1);
  LinkContents link = readLinkFile(desktopLink);
  ASSERT_TRUE(link.loaded);
  EXPECT_EQ(link.target, target);
  EXPECT_EQ(link.arguments, "/a \"b c\"");
  EXPECT_EQ(link.workingFolder, dir / "App");
  EXPECT_EQ(link.iconFile, dir / "App\\tool.ico");
  EXPECT_EQ(link.iconIndex, 3);
  EXPECT_EQ(link.showCommand, SW_SHOWMINNOACTIVE);
  EXPECT_EQ(link.description, "A comment");
  EXPECT_EQ(link.hotkey, MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT));
  EXPECT_TRUE(qv::removeFile(desktopLink));

  // As a user task makes it: the target's own icon, index -1 written as 0.
  const std::string startupLink = m.folders.getSpecialFolder(kStartup) + uniqueName("startup") + ".lnk";
  EXPECT_EQ(qv::createShortcut(m.links, target, startupLink, dir / "App\\", "", 1, "", 0, "|", -1), 1);
  expectLink(startupLink, target, "", dir / "App\\", target, 0);
  EXPECT_TRUE(qv::removeFile(startupLink));
}

TEST(Win32Shortcuts, FailedSavesReportZero) {
  RealMachine m;
  qvtest::ScratchFolder dir;
  const std::string target = dir / "tool.exe";
  makeFile(target);
  // No such folder: the link object cannot save there, and no folder is made.
  const std::string missing = dir / "no such folder\\x.lnk";
  EXPECT_EQ(qv::createShortcut(m.links, target, missing, "", "", 1, "", 0, "|", 0), 0);
  EXPECT_FALSE(qv::folderExists(dir / "no such folder"));
  // A folder stands where the link file should go.
  ASSERT_TRUE(qv::createFolder(dir / "taken.lnk"));
  EXPECT_EQ(qv::createShortcut(m.links, target, dir / "taken.lnk", "", "", 1, "", 0, "|", 0), 0);
  // A path longer than the conversion buffer is refused, not overrun.
  const std::string tooLong = dir / (std::string(1200, 'n') + ".lnk");
  EXPECT_EQ(qv::createShortcut(m.links, target, tooLong, "", "", 1, "", 0, "|", 0), 0);
  // The same call into an existing folder works.
  EXPECT_EQ(qv::createShortcut(m.links, target, dir / "ok.lnk", "", "", 1, "", 0, "|", 0), 1);
  EXPECT_TRUE(readLinkFile(dir / "ok.lnk").loaded);
}

TEST(Win32Shortcuts, DesktopLinkAndTheStartMenuGroup) {
  RealMachine m;
  qvtest::ScratchFolder dir;
  const std::string install = dir / "Program Files\\Acme Links\\";
  for (const char* file : {"acme.exe", "Tools\\Viewer.old.exe", "doc\\manual.chm", "qvIUpdater.exe", "Uninstall.exe"})
    makeFile(install + file);

  qv::RunSettings s;
  s.progExe = "acme.exe";
  s.progLink = uniqueName("Acme");
  s.progParameter = "-start now";
  const std::string group = m.folders.getSpecialFolder(kPrograms) + uniqueName("group") + "\\";
  s.startMenuPath = group + "Sub Menu\\";
  s.help = "doc\\manual.chm";
  s.url = "http://acme.example/start";
  s.exe = "Tools\\Viewer.old.exe";
  s.iUpdater = 1;
  s.unistall = 1;

  const std::string desktopLink = qv::createDesktopShortcut(m.links, m.folders, install, s);
  EXPECT_EQ(desktopLink, m.folders.getSpecialFolder(kDesktop) + s.progLink + ".lnk");
  expectLink(desktopLink, install + "acme.exe", "-start now", install, install + "acme.exe", 0);
  EXPECT_TRUE(qv::removeFile(desktopLink));

  qv::InterfaceTexts texts;
  ASSERT_FALSE(qv::folderExists(group));
  EXPECT_EQ(qv::createStartMenuShortcuts(m.links, m.folders, texts, install, s), 6);
  EXPECT_TRUE(qv::folderExists(s.startMenuPath));

  const std::string& in = install;
  const std::string menu = s.startMenuPath;
  expectLink(menu + s.progLink + ".lnk", in + "acme.exe", "-start now", in, in + "acme.exe", 0);
  expectLink(menu + "Viewer.lnk", in + "Tools\\Viewer.old.exe", "", in + "Tools\\", in + "Tools\\Viewer.old.exe", 0);
  expectLink(menu + "Help.lnk", in + "doc\\manual.chm", "", in, in + "doc\\manual.chm", 0);
  expectLink(menu + "InternetUpdater.lnk", in + "qvIUpdater.exe", "", in, in + "qvIUpdater.exe", 0);
  expectLink(menu + "Uninstall.lnk", in + "Uninstall.exe", "", in, in + "Uninstall.exe", 0);

  // The homepage link: the address handed over as the link's target, url.dll of the
  // system folder as icon. (The link's path is not checked: Wine's link object takes
  // an address for a file below the current folder.)
  LinkContents home = readLinkFile(menu + "Homepage.lnk");
  ASSERT_TRUE(home.loaded);
  EXPECT_EQ(home.item, "http://acme.example/start");
  EXPECT_EQ(home.workingFolder, "");
  EXPECT_EQ(home.iconFile, m.folders.getSpecialFolder(kSystem) + "url.dll");
  EXPECT_EQ(home.iconIndex, 0);
  EXPECT_TRUE(qv::fileExists(home.iconFile));

  qvtest::removeTree(group);
}

TEST(Win32Shortcuts, InternetShortcutOnTheDesktop) {
  RealMachine m;
  const std::string linkFile = m.folders.getSpecialFolder(kDesktop) + uniqueName("web") + ".lnk";
  EXPECT_EQ(qv::createInternetShortcut(m.links, m.folders, "https://www.acme.example/", linkFile, "|", 5), 1);
  LinkContents link = readLinkFile(linkFile);
  ASSERT_TRUE(link.loaded);
  EXPECT_EQ(link.item, "https://www.acme.example/");
  EXPECT_EQ(link.workingFolder, "");
  EXPECT_EQ(link.arguments, "");
  EXPECT_EQ(link.iconFile, m.folders.getSpecialFolder(kSystem) + "url.dll");
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_TRUE(qv::removeFile(linkFile));
}

}  // namespace
