// Shortcut fields as handed to the link object: the icon rules, internet shortcuts,
// the desktop link and the start-menu group with its names, conditions and folder.
#include "setup/setup_description.h"
#include "system/shortcuts.h"

#include <gtest/gtest.h>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "unit/system/fake_shell_links.h"
#include "unit/system/fake_system_folders.h"

namespace {

using qvtest::FakeFolderLookup;
using qvtest::FakeShellLinks;
using qvtest::ScratchFolder;

const char kInstall[] = "C:\\Program Files\\Acme\\";

FakeFolderLookup machine() {
  FakeFolderLookup f;
  f.folders = {{qv::folder_code::kSystem, "D:\\OS\\System32\\"}, {qv::folder_code::kDesktop, "C:\\Desk\\"}};
  return f;
}

void writeText(const std::string& path, const std::string& text) {
  ASSERT_TRUE(qv::writeWholeFile(path, text.data(), text.size()));
}

void expectLink(const qv::ShortcutFields* link, const std::string& target, const std::string& workingFolder,
                const std::string& arguments, const std::string& iconFile) {
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->target, target);
  EXPECT_EQ(link->workingFolder, workingFolder);
  EXPECT_EQ(link->arguments, arguments);
  EXPECT_EQ(link->iconFile, iconFile);
  EXPECT_EQ(link->iconIndex, 0);
  EXPECT_EQ(link->showCommand, 1);
  EXPECT_EQ(link->hotkey, 0);
  EXPECT_EQ(link->description, "");
}

TEST(CreateShortcut, IconRulesAndFieldsAsGiven) {
  FakeShellLinks links;
  EXPECT_EQ(qv::createShortcut(links, "C:\\A\\p.exe", "C:\\L\\p.lnk", "C:\\A\\", "-x", 3, "d", 0x241, "|", -1), 1);
  ASSERT_EQ(links.saved.size(), 1u);
  const qv::ShortcutFields& f = links.saved[0];
  EXPECT_EQ(f.target, "C:\\A\\p.exe");
  EXPECT_EQ(f.linkFile, "C:\\L\\p.lnk");
  EXPECT_EQ(f.workingFolder, "C:\\A\\");
  EXPECT_EQ(f.arguments, "-x");
  EXPECT_EQ(f.showCommand, 3);
  EXPECT_EQ(f.description, "d");
  EXPECT_EQ(f.hotkey, 0x241);
  EXPECT_EQ(f.iconFile, "C:\\A\\p.exe");  // "|" is the target
  EXPECT_EQ(f.iconIndex, 0);              // -1 is 0

  // Only exactly "|" names the target; other indexes stay.
  struct Case { const char* icon; int index; const char* file; int written; };
  const Case cases[] = {{"|", 4, "t.exe", 4},       {"||", 0, "||", 0},        {" |", 2, " |", 2},
                        {"i.ico", -1, "i.ico", 0}, {"i.ico", -2, "i.ico", -2}, {"", 1, "", 1}};
  for (const Case& c : cases) {
    links.saved.clear();
    qv::createShortcut(links, "t.exe", "l.lnk", "", "", 1, "", 0, c.icon, c.index);
    ASSERT_EQ(links.saved.size(), 1u);
    EXPECT_EQ(links.saved[0].iconFile, c.file) << c.icon;
    EXPECT_EQ(links.saved[0].iconIndex, c.written) << c.icon;
  }
}

TEST(CreateShortcut, ReportsAFailedSave) {
  FakeShellLinks links;
  links.failing.insert("C:\\missing\\x.lnk");
  EXPECT_EQ(qv::createShortcut(links, "t", "C:\\missing\\x.lnk", "", "", 1, "", 0, "|", 0), 0);
  EXPECT_EQ(qv::createShortcut(links, "t", "C:\\ok\\x.lnk", "", "", 1, "", 0, "|", 0), 1);
}

TEST(InternetShortcut, UrlDllFromTheSystemFolderForTheTargetIcon) {
  FakeShellLinks links;
  FakeFolderLookup folders = machine();
  EXPECT_EQ(qv::urlIconFile(folders), "D:\\OS\\System32\\url.dll");
  EXPECT_EQ(qv::createInternetShortcut(links, folders, "http://a.example/", "C:\\Desk\\Web.lnk", "|", 7), 1);
  expectLink(links.find("C:\\Desk\\Web.lnk"), "http://a.example/", "", "", "D:\\OS\\System32\\url.dll");
  // A given icon is kept, with its index.
  qv::createInternetShortcut(links, folders, "http://a.example/", "C:\\Desk\\Own.lnk", "C:\\i.ico", 3);
  const qv::ShortcutFields* own = links.find("C:\\Desk\\Own.lnk");
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->iconFile, "C:\\i.ico");
  EXPECT_EQ(own->iconIndex, 3);
}

TEST(DesktopShortcut, ProgramLinkOnTheDesktop) {
  FakeShellLinks links;
  FakeFolderLookup folders = machine();
  qv::RunSettings s;
  s.progExe = "bin\\acme.exe";
  s.progLink = "Acme Tool";
  s.progParameter = "/fast";
  EXPECT_EQ(qv::createDesktopShortcut(links, folders, kInstall, s), "C:\\Desk\\Acme Tool.lnk");
  expectLink(links.find("C:\\Desk\\Acme Tool.lnk"), std::string(kInstall) + "bin\\acme.exe", kInstall, "/fast",
             std::string(kInstall) + "bin\\acme.exe");
  // The path is kept even when the save fails.
  links.failing.insert("C:\\Desk\\Acme Tool.lnk");
  EXPECT_EQ(qv::createDesktopShortcut(links, folders, kInstall, s), "C:\\Desk\\Acme Tool.lnk");
}

TEST(StartMenuNames, AdditionalProgramAndTrimmedTexts) {
  struct Case { const char* exe; const char* name; };
  const Case cases[] = {{"Tools\\Viewer.old.exe", "Viewer"}, {"Tools/sub/app.exe", "app"},
                        {"\"Tools\\Quoted.exe\"", "Quoted"},  {"\"plain.exe\"", "plain"},
                        {"noext", "noext"},                   {"", ""},
                        {"dir\\", ""},                        {".hidden", ""}};
  for (const Case& c : cases) EXPECT_EQ(qv::additionalProgramLinkName(c.exe), c.name) << c.exe;

  qv::InterfaceTexts defaults;
  qv::StartMenuLinkFiles f = qv::startMenuLinkFiles("M:\\Acme\\", "Acme", "", defaults);
  EXPECT_EQ(f.program, "M:\\Acme\\Acme.lnk");
  EXPECT_EQ(f.addExe, "M:\\Acme\\.lnk");  // no Exe: the path and ".lnk" alone
  EXPECT_EQ(f.help, "M:\\Acme\\Help.lnk");
  EXPECT_EQ(f.homepage, "M:\\Acme\\Homepage.lnk");
  EXPECT_EQ(f.iUpdater, "M:\\Acme\\InternetUpdater.lnk");
  EXPECT_EQ(f.uninstall, "M:\\Acme\\Uninstall.lnk");

  ScratchFolder dir;
  writeText(dir / "de.lng",
            "[Install]\nHelp =   Hilfe  \nUninstall=\tEntfernen\t\n[StartMenu]\nIUpdater= Aktualisieren \n");
  qv::InterfaceTexts texts;
  texts.loadInterfaceTexts(dir / "de.lng", "Acme", "1.0");
  f = qv::startMenuLinkFiles("M:\\Acme\\", "Acme", "Tools\\Viewer.old.exe", texts);
  EXPECT_EQ(f.addExe, "M:\\Acme\\Viewer.lnk");
  EXPECT_EQ(f.help, "M:\\Acme\\Hilfe.lnk");
  EXPECT_EQ(f.uninstall, "M:\\Acme\\Entfernen.lnk");
  EXPECT_EQ(f.iUpdater, "M:\\Acme\\Aktualisieren.lnk");
  EXPECT_EQ(f.homepage, "M:\\Acme\\Homepage.lnk");
}

struct StartMenuRun {
  ScratchFolder dir;
  FakeShellLinks links;
  FakeFolderLookup folders = machine();
  qv::InterfaceTexts texts;
  qv::RunSettings settings;
  std::string install = dir / "Program Files\\Acme\\";

  StartMenuRun() {
    settings.progExe = "acme.exe";
    settings.progLink = "Acme";
    settings.progParameter = "-start";
    settings.startMenuPath = dir / "Menu\\Programs\\Acme Group\\";
  }
  // The keys as the second reading takes them, then the start-menu step.
  int run(const std::string& startMenueGroup, bool writeIni = true) {
    std::string ini = dir / "setup.ini";
    std::string text = "[Task]\nStartMenu=1\nProgParameter=-start\n[StartMenue]\nProgLink=Acme\n" + startMenueGroup;
    if (writeIni) {
      EXPECT_TRUE(qv::writeWholeFile(ini, text.data(), text.size()));
    }
    qv::readInstallKeys(writeIni ? ini : dir / "none.ini", qv::PreviousRun(), settings);
    if (!writeIni) settings.progLink = "Acme";
    return qv::createStartMenuShortcuts(links, folders, texts, install, settings);
  }
  std::string link(const std::string& name) const { return settings.startMenuPath + name + ".lnk"; }
};

TEST(StartMenuShortcuts, AllSixInOrderWithTheirFields) {
  StartMenuRun r;
  EXPECT_EQ(r.run("Help=doc\\manual.chm\nURL=http://acme.example/\nExe=Tools\\Viewer.old.exe\nIUpdater=1\n"
                  "Unistall=2\n"),
            6);
  EXPECT_TRUE(qv::folderExists(r.settings.startMenuPath));
  ASSERT_EQ(r.links.saved.size(), 6u);
  const std::string order[] = {"Acme", "Viewer", "Help", "Homepage", "InternetUpdater", "Uninstall"};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(r.links.saved[i].linkFile, r.link(order[i])) << i;

  const std::string& in = r.install;
  expectLink(r.links.find(r.link("Acme")), in + "acme.exe", in, "-start", in + "acme.exe");
  expectLink(r.links.find(r.link("Viewer")), in + "Tools\\Viewer.old.exe", in + "Tools\\", "",
             in + "Tools\\Viewer.old.exe");
  expectLink(r.links.find(r.link("Help")), in + "doc\\manual.chm", in, "", in + "doc\\manual.chm");
  expectLink(r.links.find(r.link("Homepage")), "http://acme.example/", "", "", "D:\\OS\\System32\\url.dll");
  expectLink(r.links.find(r.link("InternetUpdater")), in + "qvIUpdater.exe", in, "", in + "qvIUpdater.exe");
  expectLink(r.links.find(r.link("Uninstall")), in + "Uninstall.exe", in, "", in + "Uninstall.exe");
}

TEST(StartMenuShortcuts, OnlyTheLinksWhoseKeysAskForThem) {
  {
    StartMenuRun r;  // empty keys: the program link alone
    EXPECT_EQ(r.run("Help=\nURL=\nExe=\nIUpdater=0\nUnistall=0\n"), 1);
    ASSERT_EQ(r.links.saved.size(), 1u);
    EXPECT_EQ(r.links.saved[0].linkFile, r.link("Acme"));
  }
  {
    StartMenuRun r;  // no program file: no program link; a failed save is not counted
    r.settings.progExe.clear();
    r.links.failing.insert(r.link("Homepage"));
    EXPECT_EQ(r.run("URL=www.acme.example\nUnistall=1\nIUpdater=x\n"), 1);
    ASSERT_EQ(r.links.saved.size(), 2u);
    EXPECT_EQ(r.links.saved[0].linkFile, r.link("Homepage"));
    EXPECT_EQ(r.links.saved[1].linkFile, r.link("Uninstall"));
  }
  {
    StartMenuRun r;  // without a setup description every key is empty
    EXPECT_EQ(r.run("", false), 1);
    EXPECT_EQ(r.settings.help, "");
  }
}

}  // namespace
