// The setup description's two readings, the state key of an earlier run and the
// values derived from them, against a stand-in registry and folders.
#include "run/install_settings.h"
#include "setup/setup_description.h"

#include <gtest/gtest.h>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "unit/system/fake_system_folders.h"

namespace {

using qv::RegistryRoot;
using qvtest::FakeFolderLookup;
using qvtest::FakeRegistry;
using qvtest::ScratchFolder;

const char kGuid[] = "{A1B2C3D4-0000-1111-2222-333344445555}";

std::string writeIni(const ScratchFolder& dir, const std::string& text) {
  std::string path = dir / "setup.ini";
  EXPECT_TRUE(qv::writeWholeFile(path, text.data(), text.size()));
  return path;
}

FakeFolderLookup machine() {
  FakeFolderLookup f;
  f.folders = {{qv::folder_code::kProgramFiles, "C:\\Program Files\\"},
               {qv::folder_code::kPrograms, "C:\\Menu\\Programs\\"},
               {qv::folder_code::kAppData, "C:\\AppData\\"}};
  return f;
}

struct SettingsRun {
  qv::RunSettings settings;
  FakeRegistry registry;
  FakeFolderLookup folders = machine();
  void read(const std::string& path, const std::string& install = "", const std::string& startMenu = "") {
    qv::readSetupDescription(path, settings);
    qv::readInstallSettings(path, install, startMenu, registry, folders, settings);
  }
};

TEST(SetupDescription, FirstReadingTakesItsKeys) {
  ScratchFolder dir;
  std::string path = writeIni(dir,
                              "[Settings]\r\nLanguage = english.lng#9|german.lng#7|\r\nProgExe = bin\\Tool.exe\r\n"
                              "Split = 1\r\nDefaultDir = %ProgramFiles%Acme\\Tool\r\n"
                              "[Info]\r\nTitel = Acme Tool\r\nVersion = 2.1\r\nGUID = {G}\r\nPrgSize = 3 MB\r\n"
                              "PrgFlag = 0\r\nWeb = http://acme.example/\r\n"
                              "[Task]\r\nMutexString =   AcmeMutex  \r\n"
                              "[UserTask]\r\nBeforeSetup = pre.exe\r\nBeforeParam = /a\r\nWhileSetup = w.exe\r\n"
                              "WhileParam = /w\r\nAfterSetup = post.exe\r\nAfterParam = /b\r\nUninst1Prog = u1.exe\r\n"
                              "Uninst1Param = /u1\r\nUninst2Prog = u2.exe\r\nUninst2Param = /u2\r\n");
  qv::RunSettings s;
  qv::readSetupDescription(path, s);
  EXPECT_EQ(s.language, "english.lng#9|german.lng#7|");
  EXPECT_EQ(s.progExe, "bin\\Tool.exe");
  EXPECT_EQ(s.split, 1);
  EXPECT_EQ(s.title, "Acme Tool");
  EXPECT_EQ(s.version, "2.1");
  EXPECT_EQ(s.guid, "{G}");
  EXPECT_EQ(s.prgSize, "3 MB");
  EXPECT_EQ(s.prgFlag, 0);
  EXPECT_EQ(s.mutexString, "AcmeMutex");
  EXPECT_EQ(s.beforeSetup + s.beforeParam + s.whileSetup + s.whileParam + s.afterSetup + s.afterParam,
            "pre.exe/aw.exe/wpost.exe/b");
  EXPECT_EQ(s.uninst1Prog + s.uninst1Param + s.uninst2Prog + s.uninst2Param, "u1.exe/u1u2.exe/u2");
  // Keys of the second reading are left alone.
  EXPECT_EQ(s.web, "");
  EXPECT_EQ(s.defaultDir, "");
}

TEST(SetupDescription, MissingFileGivesEveryDefault) {
  ScratchFolder dir;
  SettingsRun run;
  run.read(dir / "setup.ini");
  const qv::RunSettings& s = run.settings;
  EXPECT_EQ(s.title, "--- unkown ---");
  EXPECT_EQ(s.prgFlag, 1);
  EXPECT_EQ(s.language + s.progExe + s.version + s.guid + s.beforeSetup + s.whileSetup + s.afterSetup, "");
  EXPECT_EQ(s.split + s.startProg + s.reboot + s.noUninstall + s.startMenu, 0);
  EXPECT_EQ(s.desktop, 0);
  EXPECT_EQ(s.desktopIcon, 0);
  EXPECT_EQ(s.progLink, "--- unkown ---");
  // No DefaultDir and no earlier run: a folder of the product's own below Program
  // Files, never the Program Files folder itself.
  EXPECT_EQ(s.installFolder, "C:\\Program Files\\--- unkown ---");
  EXPECT_EQ(s.defaultFolderName, "--- unkown ---");
  EXPECT_EQ(s.startMenuFolderName, "");
  // The state key is read even without a GUID.
  EXPECT_EQ(run.registry.reads.front(), "SOFTWARE\\Quarvel\\|InstallDir");
}

TEST(SetupDescription, WithoutDefaultDirTheProductGetsAFolderOfItsOwn) {
  ScratchFolder dir;
  SettingsRun titled;
  titled.read(writeIni(dir, "[Info]\r\nTitel = Acme: Tools <2> \"Pro\"?.\r\n[Settings]\r\nDefaultDir =\r\n"));
  EXPECT_EQ(titled.settings.installFolder, "C:\\Program Files\\Acme_ Tools _2_ _Pro__");
  EXPECT_EQ(titled.settings.defaultFolderName, "Acme_ Tools _2_ _Pro__");
  SettingsRun untitled;
  untitled.read(writeIni(dir, "[Info]\r\nTitel =\r\n[Settings]\r\nProgExe = bin\\tool.v2.exe\r\n"));
  EXPECT_EQ(untitled.settings.installFolder, "C:\\Program Files\\bin_tool");
  EXPECT_EQ(qv::productFolderName("", ""), "Setup");
  EXPECT_EQ(qv::productFolderName(" . ", "x.exe"), "x");
  // An earlier run's folder or /P still win over the fallback.
  SettingsRun overridden;
  overridden.read(writeIni(dir, "[Info]\r\nTitel = Acme\r\n"), "D:\\Apps\\", "");
  EXPECT_EQ(overridden.settings.installFolder, "D:\\Apps\\");
}

TEST(SetupDescription, DefaultFolderNameAndInstallFolder) {
  struct Case {
    const char* defaultDir;
    const char* name;
    const char* installFolder;
  } cases[] = {
      {"%ProgramFiles%Acme\\Tool", "Tool", "C:\\Program Files\\Acme\\Tool"},
      {"%ProgramFiles%Acme\\Tool\\", "Tool", "C:\\Program Files\\Acme\\Tool\\"},
      {"Tool", "Tool", "C:\\Program Files\\Tool"},
      {"%ProgramFiles%Tool", "Tool", "C:\\Program Files\\Tool"},
      {"D:\\Apps\\Acme Tool\\", "Acme Tool", "D:\\Apps\\Acme Tool\\"},
      // Three "%": the whole text counts, so the name is what follows the last backslash.
      {"%AppData%100%\\Tool", "Tool", "C:\\AppData\\100%\\Tool"},
      {"%AppData%x%y\\50%", "50%", "C:\\AppData\\x%y\\50%"},
      // Exactly two "%" with nothing after the second.
      {"%AppData%", "", "C:\\AppData\\"},
  };
  for (const Case& c : cases) {
    ScratchFolder dir;
    SettingsRun run;
    run.read(writeIni(dir, std::string("[Settings]\r\nDefaultDir = ") + c.defaultDir + "\r\n"));
    EXPECT_EQ(run.settings.defaultDir, c.defaultDir);
    EXPECT_EQ(run.settings.defaultFolderName, c.name) << c.defaultDir;
    EXPECT_EQ(run.settings.installFolder, c.installFolder) << c.defaultDir;
  }
  EXPECT_EQ(qv::defaultFolderNameOf("a%b%c\\d%e"), "d%e");
  EXPECT_EQ(qv::defaultFolderNameOf("Tool\\\\"), "");
  EXPECT_EQ(qv::defaultFolderNameOf("\\"), "");
  EXPECT_EQ(qv::defaultFolderNameOf(""), "");
}

TEST(SetupDescription, SecondRunProposesTheEarlierChoicesAndTheOverridesWin) {
  ScratchFolder dir;
  std::string path = writeIni(dir,
                              std::string("[Info]\r\nTitel = Acme\r\nGUID = ") + kGuid +
                                  "\r\n[Settings]\r\nDefaultDir = %ProgramFiles%Acme\\NewPlace\r\n"
                                  "[StartMenue]\r\nDefaultDir = Acme Menu\r\n[Task]\r\nDesktop = 1\r\n");
  std::string key = std::string("SOFTWARE\\Quarvel\\") + kGuid;

  SettingsRun first;
  first.read(path);
  EXPECT_EQ(first.settings.installFolder, "C:\\Program Files\\Acme\\NewPlace");
  EXPECT_EQ(first.settings.startMenuFolderName, "Acme Menu");
  EXPECT_EQ(first.settings.desktopIcon, 1);
  qv::writeStateKey(first.registry, first.settings.guid, "E:\\Old\\Acme\\", "Old Menu", false);
  EXPECT_EQ(first.registry.writes, (std::vector<std::string>{key + "|InstallDir=E:\\Old\\Acme\\",
                                                              key + "|StartMenu=Old Menu",
                                                              key + "|DesktopIcon=0"}));

  SettingsRun second;
  second.registry.values = first.registry.values;
  second.read(path);
  EXPECT_EQ(second.settings.installFolder, "E:\\Old\\Acme\\");
  EXPECT_EQ(second.settings.startMenuFolderName, "Old Menu");
  EXPECT_EQ(second.settings.desktopIcon, 0);
  // The name still comes from DefaultDir as the file gives it.
  EXPECT_EQ(second.settings.defaultFolderName, "NewPlace");

  SettingsRun overridden;
  overridden.registry.values = first.registry.values;
  overridden.read(path, "F:\\Chosen\\", "Chosen Menu");
  EXPECT_EQ(overridden.settings.installFolder, "F:\\Chosen\\");
  EXPECT_EQ(overridden.settings.startMenuFolderName, "Chosen Menu");
  // A relative override lands under Program Files.
  SettingsRun relative;
  relative.read(path, "Elsewhere", "");
  EXPECT_EQ(relative.settings.installFolder, "C:\\Program Files\\Elsewhere");

  // Without DefaultDir in the file the earlier folder names the default folder.
  SettingsRun noDefault;
  noDefault.registry.values = first.registry.values;
  std::string bare = writeIni(dir, std::string("[Info]\r\nGUID = ") + kGuid + "\r\n");
  noDefault.read(bare);
  EXPECT_EQ(noDefault.settings.defaultDir, "E:\\Old\\Acme\\");
  EXPECT_EQ(noDefault.settings.defaultFolderName, "Acme");
}

TEST(SetupDescription, StateKeyValuesAndDesktopState) {
  ScratchFolder dir;
  std::string path = writeIni(dir, "[Task]\r\nDesktop = 3\r\n");
  SettingsRun run;
  run.registry.set(RegistryRoot::CurrentUser, "SOFTWARE\\Quarvel\\", "DesktopIcon", "7x");
  run.read(path);
  EXPECT_EQ(run.settings.desktopIcon, 7);
  SettingsRun notNumber;
  notNumber.registry.set(RegistryRoot::CurrentUser, "SOFTWARE\\Quarvel\\", "DesktopIcon", "no");
  notNumber.read(path);
  EXPECT_EQ(notNumber.settings.desktopIcon, 0);
  SettingsRun none;
  none.read(path);
  EXPECT_EQ(none.settings.desktopIcon, 3);
  // No GUID: nothing is written.
  FakeRegistry registry;
  qv::writeStateKey(registry, "", "C:\\x\\", "m", true);
  EXPECT_TRUE(registry.writes.empty());
  qv::writeStateKey(registry, "{G}", "C:\\x\\", "m", true);
  EXPECT_EQ(registry.writes.back(), "SOFTWARE\\Quarvel\\{G}|DesktopIcon=1");
}

TEST(SetupDescription, FlagsKeepEightBitsAndIntegersThirtyTwo) {
  ScratchFolder dir;
  std::string path = writeIni(dir,
                              "[Settings]\r\nSplit = 256\r\n[Info]\r\nPrgFlag = 256\r\n"
                              "[Task]\r\nStartProg = 257\r\nReboot = 512\r\nNoUninstall = -1\r\nStartMenu = 2\r\n"
                              "Desktop = 65536\r\n");
  SettingsRun run;
  run.read(path);
  EXPECT_EQ(run.settings.split, 0);
  EXPECT_EQ(run.settings.prgFlag, 256);
  EXPECT_EQ(run.settings.startProg, 1);
  EXPECT_EQ(run.settings.reboot, 0);
  EXPECT_EQ(run.settings.noUninstall, 255);
  EXPECT_EQ(run.settings.startMenu, 2);
  EXPECT_EQ(run.settings.desktop, 65536);
  EXPECT_EQ(run.settings.desktopIcon, 65536);
}

TEST(SetupDescription, ProgLinkTitleAndTheRemainingKeys) {
  ScratchFolder dir;
  std::string path = writeIni(dir,
                              "[Info]\r\nTitel = Acme\r\nWeb = http://a.example/\r\nDate = 2024-01-02\r\n"
                              "Author = Ann\r\nEMail = ann@a.example\r\n[Settings]\r\nNoCopyExt = ini|cfg|\r\n"
                              "[Task]\r\nProgParameter = -x\r\nScriptFile = s.vbs\r\n"
                              "[StartMenue]\r\nHelp = a.chm\r\nURL = http://u/\r\nExe = t.exe\r\nIUpdater = 1\r\n"
                              "Unistall = 2\r\n");
  SettingsRun run;
  run.read(path);
  EXPECT_EQ(run.settings.progLink, "Acme");
  EXPECT_EQ(run.settings.web, "http://a.example/");
  EXPECT_EQ(run.settings.noCopyExt, "ini|cfg|");
  EXPECT_EQ(run.settings.progParameter, "-x");
  EXPECT_EQ(run.settings.scriptFile, "s.vbs");
  // The start-menu step's keys come with the second reading.
  EXPECT_EQ(run.settings.help + run.settings.url + run.settings.exe, "a.chmhttp://u/t.exe");
  EXPECT_EQ(run.settings.iUpdater, 1);
  EXPECT_EQ(run.settings.unistall, 2);

  SettingsRun noTitle;
  noTitle.read(writeIni(dir, "[StartMenue]\r\nProgLink = My Link\r\n"));
  EXPECT_EQ(noTitle.settings.title, "--- unkown ---");
  EXPECT_EQ(noTitle.settings.progLink, "My Link");
  // A ProgLink present but empty stays empty.
  SettingsRun emptyLink;
  emptyLink.read(writeIni(dir, "[Info]\r\nTitel = Acme\r\n[StartMenue]\r\nProgLink =\r\n"));
  EXPECT_EQ(emptyLink.settings.progLink, "");
}

TEST(SetupDescription, StepsAfterTheSecondReading) {
  qv::RunSettings s;
  s.startProg = 1;
  s.progExe = "bin\\Tool.EXE";
  qv::clearStartProgramUnlessExe(s);
  EXPECT_EQ(s.startProg, 1);
  s.progExe = "readme.txt";
  qv::clearStartProgramUnlessExe(s);
  EXPECT_EQ(s.startProg, 0);
  EXPECT_FALSE(qv::hasExeExtension("my.exe\\tool"));
  EXPECT_FALSE(qv::hasExeExtension("tool"));
  EXPECT_FALSE(qv::hasExeExtension("tool.exe2"));
  EXPECT_TRUE(qv::hasExeExtension("a.b.Exe"));

  s.startProg = 1;
  s.reboot = 0;
  qv::clearStartProgramOnReboot(s);
  EXPECT_EQ(s.startProg, 1);
  s.reboot = 1;
  qv::clearStartProgramOnReboot(s);
  EXPECT_EQ(s.startProg, 0);

  FakeFolderLookup folders = machine();
  s.progExe = "bin\\Tool.v2.exe";
  s.startMenuFolderName = "";
  qv::completeStartMenuFolderName(s);
  EXPECT_EQ(s.startMenuFolderName, "bin\\Tool");
  qv::formStartMenuPath(s, folders);
  EXPECT_EQ(s.startMenuPath, "C:\\Menu\\Programs\\bin\\Tool\\");
  s.startMenuFolderName = "Acme\\";
  qv::completeStartMenuFolderName(s);
  qv::formStartMenuPath(s, folders);
  EXPECT_EQ(s.startMenuPath, "C:\\Menu\\Programs\\Acme\\");
  // With no Programs folder and no name there is no path at all.
  folders.folders.clear();
  s.startMenuFolderName = "";
  s.progExe = "";
  qv::completeStartMenuFolderName(s);
  qv::formStartMenuPath(s, folders);
  EXPECT_EQ(s.startMenuPath, "");
}

}  // namespace
