// qvinstallcheck: what an install of the example product Quarvel Hello left on the
// machine, checked against the product tree, the setup folder it was built from and
// what the installer's parts give. tests/e2e/quiet-install.sh and wizard-example.sh
// run the setup, then this program with the run's facts in the environment:
//   QV_E2E_INSTALL      install folder (trailing backslash)
//   QV_E2E_PRODUCT      the product tree that was packed
//   QV_E2E_SETUP        the setup folder that was packed
//   QV_E2E_TASKLOG      the task log the example's task program wrote
//   QV_E2E_MENU         the start-menu folder name of the run
//   QV_E2E_LANGUAGE     base name of the language file the run used
//   QV_E2E_LANGUAGE_ID  what %LanguageID% became
//   QV_E2E_RUN          "wizard" after a run through the wizard (desktop link ticked),
//                       else the run was quiet
//   QV_E2E_UNINSTALLER  the uninstaller program qvpack added as uninstall.exe
// With --clean as its only argument it removes everything an install made instead.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "link_reader.h"
#include "machine_state.h"
#include "runtime/key_value_file.h"
#include "system/associations.h"

namespace {

using namespace qvinstall;

const char kGuid[] = "{5D0C8A41-7E2B-4F3A-9C61-2B8E4F07A9D3}";
const char kWeb[] = "https://example.org/quarvel-hello/";
const char kProductKey[] = "Software\\QuarvelExample\\Hello";
const std::string kUninstallKey = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kGuid;

// The run's facts and the machine's folders.
struct RunFacts {
  std::string install = environment("QV_E2E_INSTALL");
  std::string product = environment("QV_E2E_PRODUCT");
  std::string setup = environment("QV_E2E_SETUP");
  std::string taskLog = environment("QV_E2E_TASKLOG");
  std::string language = environment("QV_E2E_LANGUAGE");
  std::string languageId = environment("QV_E2E_LANGUAGE_ID");
  std::string menuName = environment("QV_E2E_MENU");
  bool wizard = environment("QV_E2E_RUN") == "wizard";
  std::string uninstaller = environment("QV_E2E_UNINSTALLER");
  std::string desktop = shellFolder(CSIDL_DESKTOPDIRECTORY);
  std::string menu = shellFolder(CSIDL_PROGRAMS) + environment("QV_E2E_MENU") + "\\";
  std::string startup = shellFolder(CSIDL_STARTUP);
  std::string appData = shellFolder(CSIDL_APPDATA);
  std::string urlIcon = systemFolder() + "url.dll";
};

const RunFacts& facts() {
  static const RunFacts values;
  return values;
}

// A text of the run's language file, as the uninstall log receives it.
std::string languageText(const char* group, const char* key) {
  qv::KeyValueDocument file;
  file.openKeyValueFile(facts().setup + facts().language + ".lng");
  file.selectGroup(group);
  std::string text = file.readKeyString(key, "(missing)");
  file.closeKeyValueFile();
  return text;
}

class Installed : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_FALSE(facts().install.empty()) << "QV_E2E_INSTALL is not set";
  }
  const RunFacts& r = facts();
};

TEST_F(Installed, EveryProductFileWithItsBytesAndTimes) {
  std::vector<std::string> packed = treeBelow(r.product);
  ASSERT_FALSE(packed.empty());
  for (const std::string& name : packed) {
    SCOPED_TRACE(name);
    if (name.back() == '\\') {
      EXPECT_NE(GetFileAttributesA((r.install + name).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
      continue;
    }
    // hello.ini is the product's own file that the INI tasks then extend.
    if (name == "hello.ini") continue;
    EXPECT_TRUE(sameBytes(r.product + name, r.install + name));
    EXPECT_EQ(lastWriteTime(r.install + name), lastWriteTime(r.product + name))
        << "the package's last-write time, not the time of installation";
  }
}

// qvpack setup added it to the product package beside the product's own files.
TEST_F(Installed, TheUninstallerAsUninstallExe) {
  ASSERT_FALSE(r.uninstaller.empty()) << "QV_E2E_UNINSTALLER is not set";
  EXPECT_TRUE(sameBytes(r.uninstaller, r.install + "uninstall.exe"));
  EXPECT_EQ(lastWriteTime(r.install + "uninstall.exe"), lastWriteTime(r.uninstaller));
}

TEST_F(Installed, TheUninstallEntryUnderLocalMachine) {
  ASSERT_TRUE(registryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  struct Value {
    const char* name;
    std::string data;
  } values[] = {
      {"DisplayName", "Quarvel Hello  1.2.0"},
      {"DisplayIcon", r.install + "hello.exe"},
      {"Publisher", ""},
      {"URLInfoAbout", kWeb},
      {"HelpLink", kWeb},
      {"Contact", ""},
      {"UninstallString", "\"" + r.install + "uninstall.exe\""},
  };
  for (const Value& v : values) {
    bool found = false;
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, kUninstallKey, v.name, &found), v.data) << v.name;
    EXPECT_TRUE(found) << v.name;
  }
}

struct ExpectedLink {
  std::string file, target, arguments, working, icon;
  int index;
};

void expectLink(const ExpectedLink& e) {
  SCOPED_TRACE(e.file);
  qvtest::LinkContents link = qvtest::readLinkFile(e.file);
  ASSERT_TRUE(link.loaded);
  // An address is kept by the link object as its ID list's item.
  if (e.target.compare(0, 8, "https://") == 0)
    EXPECT_EQ(link.item, e.target);
  else
    EXPECT_EQ(link.target, e.target);
  EXPECT_EQ(link.arguments, e.arguments);
  EXPECT_EQ(link.workingFolder, e.working);
  EXPECT_EQ(link.iconFile, e.icon);
  EXPECT_EQ(link.iconIndex, e.index);
  EXPECT_EQ(link.showCommand, 1);
  EXPECT_EQ(link.description, "");
  EXPECT_EQ(link.hotkey, 0);
}

TEST_F(Installed, TheProgramsLinksOnTheDesktopAndInTheStartMenu) {
  const std::string hello = r.install + "hello.exe";
  const std::vector<ExpectedLink> links = {
      {r.desktop + "Quarvel Hello.lnk", hello, "/greet", r.install, hello, 0},
      {r.menu + "Quarvel Hello.lnk", hello, "/greet", r.install, hello, 0},
      {r.menu + "Greeter.lnk", r.install + "tools\\Greeter.exe", "", r.install + "tools\\",
       r.install + "tools\\Greeter.exe", 0},
      {r.menu + languageText("Install", "Help") + ".lnk", r.install + "docs\\manual.txt", "", r.install, r.install + "docs\\manual.txt", 0},
      // Its icon from the system folder's url.dll, wherever Windows lives.
      {r.menu + languageText("Install", "Homepage") + ".lnk", kWeb, "", "", r.urlIcon, 0},
      {r.menu + languageText("StartMenu", "IUpdater") + ".lnk", r.install + "qvIUpdater.exe", "", r.install, r.install + "qvIUpdater.exe", 0},
      {r.menu + languageText("Install", "Uninstall") + ".lnk", r.install + "Uninstall.exe", "", r.install, r.install + "Uninstall.exe", 0},
  };
  for (const ExpectedLink& link : links) expectLink(link);
}

// The undo records the example's tasks leave, in task order.
std::vector<std::string> expectedUndoRecords(const RunFacts& r) {
  return {
      "0|" + r.desktop + "Hello Readme.lnk",
      "1|" + r.menu + "Tools\\Readme.lnk",
      "1|" + r.menu + "Tools\\Greeter.lnk",
      "2|" + r.desktop + "Quarvel Hello Online.lnk",
      "3|" + r.menu + "News about Hello.lnk",
      "4|" + r.startup + "Hello at Startup.lnk",
      "5|" + r.install + "docs\\extras.txt",
      "5|" + r.appData + "Quarvel Hello\\hello-notes.txt",
      std::string("6|2147483649|") + kProductKey + "|InstallDir",
      std::string("6|2147483650|") + kProductKey + "|DataDir",
      "9|" + systemFolder() + "|" + r.install + "regdemo.dll",
      // The task program Task17 copies out of the setup package before running it.
      "5|" + r.appData + "Quarvel Hello\\note.exe",
      "10|qvhello|hello.exe",
      "10|qvhellonote|hello.exe",
  };
}

TEST_F(Installed, EachUserTasksEffect) {
  const std::string hello = r.install + "hello.exe";
  // Kinds 0 to 4: links; the icon of Task3 comes from the default install folder when
  // a program lies there, else from the link's target.
  std::string defaultHello = shellFolder(CSIDL_PROGRAM_FILES) + "Quarvel Example\\Hello\\hello.exe";
  std::string greeter = r.install + "tools\\Greeter.exe";
  std::string greeterIcon = GetFileAttributesA(defaultHello.c_str()) != INVALID_FILE_ATTRIBUTES ? defaultHello : greeter;
  for (const ExpectedLink& link : std::vector<ExpectedLink>{
           {r.desktop + "Hello Readme.lnk", r.install + "readme.txt", "", r.install, hello, 0},
           {r.menu + "Tools\\Readme.lnk", r.install + "readme.txt", "", r.install, r.install + "readme.txt", 0},
           {r.menu + "Tools\\Greeter.lnk", greeter, "/tool", r.install + "tools\\", greeterIcon, 0},
           {r.desktop + "Quarvel Hello Online.lnk", kWeb, "", "", r.urlIcon, 0},
           {r.menu + "News about Hello.lnk", "https://example.org/quarvel-hello/news", "", "", r.urlIcon, 0},
           {r.startup + "Hello at Startup.lnk", hello, "/startup", r.install, hello, 0},
       })
    expectLink(link);

  // Kind 5: copies out of the setup package, their folders made.
  EXPECT_TRUE(sameBytes(r.setup + "extras.txt", r.install + "docs\\extras.txt"));
  EXPECT_TRUE(sameBytes(r.setup + "extras.txt", r.appData + "Quarvel Hello\\hello-notes.txt"));

  // Kind 6: registry values with the install folder put in.
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, kProductKey, "InstallDir"), r.install);
  EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, kProductKey, "DataDir"), r.install + "data\\");

  // Kind 8: INI entries with placeholders, one without a group.
  qv::KeyValueDocument ini;
  ASSERT_TRUE(ini.openKeyValueFile(r.install + "hello.ini"));
  ini.selectGroup("Paths");
  EXPECT_EQ(ini.readKeyString("StartMenu", ""), r.menu);
  EXPECT_EQ(ini.readKeyString("Language", ""), r.languageId);
  EXPECT_EQ(ini.readKeyString("AppData", ""), r.appData);
  ini.selectGroup("");
  EXPECT_EQ(ini.readKeyString("Installed", ""), "yes");
  ini.selectGroup("Greeting");
  EXPECT_EQ(ini.readKeyString("Text", ""), "Hello from Quarvel Hello 1.2.0!");
  ini.closeKeyValueFile();

  // Kind 9: the DLL, under a folder with blanks, registered through regsvr32; and the
  // task program copied out of the setup package and run where it was put.
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, kProductKey, "Registered"), r.install + "regdemo.dll");
  std::string copiedNote = r.appData + "Quarvel Hello\\note.exe";
  EXPECT_TRUE(sameBytes(r.setup + "note.exe", copiedNote));
  bool noteRan = false;
  for (const TaskRun& t : taskRuns(r.taskLog))
    if (t.program == copiedNote) {
      noteRan = true;
      EXPECT_EQ(t.arguments, "(no arguments)");
      EXPECT_EQ(t.workingFolder, r.appData + "Quarvel Hello");
      EXPECT_EQ(t.installDir, r.install);
    }
  EXPECT_TRUE(noteRan);

  // Kind 10: both extensions in the layout this system's version selects.
  std::string command = "\"" + hello + "\" \"%1\"";
  if (qv::associatesThroughApplications(GetVersion())) {
    EXPECT_EQ(registryString(HKEY_CLASSES_ROOT, "Applications\\hello.exe\\shell\\open\\command", ""), command);
    EXPECT_EQ(registryString(HKEY_CLASSES_ROOT, ".qvhello", ""), "qvhello_auto_file");
    EXPECT_EQ(registryString(HKEY_CLASSES_ROOT, "qvhello_auto_file", ""), "Quarvel Hello greeting");
    EXPECT_EQ(registryString(HKEY_CLASSES_ROOT, "qvhello_auto_file\\DefaultIcon", ""), hello + ",0");
    EXPECT_EQ(registryString(HKEY_CLASSES_ROOT, ".qvhellonote", ""), "qvhellonote_auto_file");
    EXPECT_EQ(registryString(HKEY_CLASSES_ROOT, "qvhellonote_auto_file", ""), "hello.exe");
    EXPECT_FALSE(registryKeyExists(HKEY_CLASSES_ROOT, "qvhellonote_auto_file\\DefaultIcon"));
    for (const char* ext : {"qvhello", "qvhellonote"})
      EXPECT_EQ(registryString(HKEY_CURRENT_USER,
                               std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.") + ext,
                               "Application"),
                "hello.exe");
  } else {
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qvhello", ""), "hello.exe");
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qvhellonote", ""), "hello.exe");
    // Both name the class after the program: the second task's description wins.
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, "Software\\Classes\\hello.exe", ""), "hello.exe");
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, "Software\\Classes\\hello.exe\\DefaultIcon", ""), hello + ",0");
    EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, "Software\\Classes\\hello.exe\\shell\\open\\command", ""), command);
  }
}

TEST_F(Installed, TheUninstallLogKeyByKey) {
  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(r.install + "uninstall.dat"));
  auto expectGroup = [&](const char* group, const std::vector<std::pair<const char*, std::string>>& keys) {
    ASSERT_TRUE(log.selectGroup(group)) << group;
    for (const auto& key : keys) EXPECT_EQ(log.readKeyString(key.first, "(missing)"), key.second) << group << "/" << key.first;
  };
  expectGroup("Settings", {{"ProgDir", r.install},
                           {"ProgExe", "hello.exe"},
                           {"GUID", kGuid},
                           {"ProgLink", "Quarvel Hello"},
                           {"StartMenu", r.menu},
                           // Both runs name the desktop link, for the uninstaller.
                           {"DesktopIcon", r.desktop + "Quarvel Hello.lnk"},
                           {"LoginAdmin", "0"}});
  expectGroup("Language", {{"Titel", languageText("Uninstaller", "Titel")},
                           {"Msg", languageText("Uninstaller", "Msg")},
                           {"Version", languageText("Uninstaller", "Version")},
                           {"UninstInfo", languageText("Uninstaller", "UninstInfo")},
                           {"DelAll", languageText("Uninstaller", "DelAll")},
                           {"Error", languageText("Uninstaller", "Error")},
                           {"Mutex", languageText("Requester", "RQ4_Msg") + "|" + languageText("Requester", "RQ4_Msg2")},
                           {"Status", languageText("Uninstaller", "Status")},
                           {"Logon", languageText("LoginAdmin", "Window")},
                           {"User", languageText("LoginAdmin", "User")},
                           {"Password", languageText("LoginAdmin", "Password")},
                           {"RQ_Titel", languageText("Requester", "RQ7_Titel")},
                           {"RQ_Msg", languageText("Requester", "RQ7_Msg")},
                           {"OK", languageText("Uninstaller", "OK")},
                           {"Cancel", languageText("Uninstaller", "Cancel")},
                           {"Ready", languageText("Uninstaller", "Ready")},
                           {"Login", languageText("Buttons", "Login")}});
  expectGroup("StartMenu", {{"Program", r.menu + "Quarvel Hello.lnk"},
                            {"AddExe", r.menu + "Greeter.lnk"},
                            {"Help", r.menu + languageText("Install", "Help") + ".lnk"},
                            {"Homepage", r.menu + languageText("Install", "Homepage") + ".lnk"},
                            {"IUpdater", r.menu + languageText("StartMenu", "IUpdater") + ".lnk"},
                            {"Uninstall", r.menu + languageText("Install", "Uninstall") + ".lnk"}});
  expectGroup("StartProg", {{"BeforeUninst", "tools\\note.exe"},
                            {"BeforeParam", "before-uninstall"},
                            {"AfterUninst", "tools\\note.exe"},
                            {"AfterParam", "after-uninstall"}});
  std::vector<std::string> records = expectedUndoRecords(r);
  ASSERT_TRUE(log.selectGroup("UserTask"));
  EXPECT_EQ(log.readKeyInteger("Number", -1), int(records.size()));
  for (size_t i = 0; i < records.size(); ++i)
    EXPECT_EQ(log.readKeyString("Task" + std::to_string(i + 1), "(missing)"), records[i]) << "Task" << i + 1;

  // The product's files: every file and folder of the product tree and the uninstaller
  // qvpack added, each once; and whatever else it lists is in the install folder.
  ASSERT_TRUE(log.selectGroup("Files"));
  const int count = log.readKeyInteger("Number", -1);
  std::vector<std::string> files;
  for (int i = 1; i <= count; ++i) files.push_back(log.readKeyString("File" + std::to_string(i), "(missing)"));
  std::vector<std::string> expected = treeBelow(r.product);
  expected.push_back("uninstall.exe");
  for (const std::string& name : expected)
    EXPECT_EQ(std::count(files.begin(), files.end(), name), 1) << name;
  for (const std::string& name : files) {
    const DWORD attributes = GetFileAttributesA((r.install + name).c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << name;
    EXPECT_EQ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, !name.empty() && name.back() == '\\') << name;
  }
  log.closeKeyValueFile();
}

TEST_F(Installed, TheUpdatersLanguageFileAndTheScriptsConstants) {
  EXPECT_TRUE(sameBytes(r.setup + r.language + ".upd", r.install + "qvIUpd\\qvIUpdater.lng"));

  std::vector<TaskRun> runs = taskRuns(r.taskLog);
  ASSERT_FALSE(runs.empty());
  ASSERT_EQ(runs.front().arguments, "before");
  std::string temp = runs.front().workingFolder + "\\";
  std::vector<std::string> expected = {"qvProgDir=" + r.install, "qvSetupDir=" + temp, "qvStartMenuDir=" + r.menu,
                                       std::string("qvGUID=") + kGuid};
  EXPECT_EQ(textLines(r.install + "script-constants.txt"), expected);
}

TEST_F(Installed, TheBeforeAndAfterTasksAndTheTemporaryFolderGone) {
  std::vector<TaskRun> runs = taskRuns(r.taskLog);
  ASSERT_GE(runs.size(), 2u);
  const TaskRun& before = runs.front();
  const TaskRun& after = runs.back();
  EXPECT_EQ(before.arguments, "before");
  EXPECT_EQ(before.installDir, "") << "InstallDir is set only when the installation begins";
  EXPECT_EQ(after.arguments, "after");
  EXPECT_EQ(after.installDir, r.install);
  // Both ran from the temporary folder, which is gone now.
  EXPECT_EQ(after.workingFolder, before.workingFolder);
  EXPECT_EQ(before.program, before.workingFolder + "\\note.exe");
  ASSERT_FALSE(before.workingFolder.empty());
  EXPECT_EQ(GetFileAttributesA(before.workingFolder.c_str()), INVALID_FILE_ATTRIBUTES);
  // The while task belongs to the wizard, beside it in the temporary folder; the quiet
  // run never starts it.
  int whileRuns = 0;
  for (const TaskRun& t : runs) {
    if (t.arguments != "while") continue;
    ++whileRuns;
    EXPECT_EQ(t.workingFolder, before.workingFolder);
  }
  EXPECT_EQ(whileRuns, r.wizard ? 1 : 0);
}

// The wizard run keeps its choices for the next run; the quiet run leaves them alone.
TEST_F(Installed, TheStateKeyOnlyAfterAWizardRun) {
  const std::string key = std::string("SOFTWARE\\Quarvel\\") + kGuid;
  if (!r.wizard) {
    EXPECT_FALSE(registryKeyExists(HKEY_CURRENT_USER, key));
    return;
  }
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, key, "InstallDir"), r.install);
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, key, "StartMenu"), r.menuName);
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, key, "DesktopIcon"), "1");
}

// After a second install over a changed installation (quiet-install.sh changes it).
TEST(Reinstalled, KeepsListedExtensionsAndTheEarlierLog) {
  const RunFacts& r = facts();
  // ini and cfg are kept extensions: the user's changes stay, and the INI tasks write
  // their keys into the kept file again.
  qv::KeyValueDocument ini;
  ASSERT_TRUE(ini.openKeyValueFile(r.install + "hello.ini"));
  ini.selectGroup("Greeting");
  EXPECT_EQ(ini.readKeyString("Text", ""), "Changed by the user");
  ini.selectGroup("Paths");
  EXPECT_EQ(ini.readKeyString("StartMenu", ""), r.menu);
  ini.closeKeyValueFile();
  EXPECT_EQ(fileText(r.install + "user.cfg"), "window=left\r\n");
  // Every other file is the package's again, and the copy task's file the setup's: a
  // quiet run replaces a file without version data without asking.
  EXPECT_TRUE(sameBytes(r.setup + "extras.txt", r.install + "docs\\extras.txt"));
  EXPECT_TRUE(sameBytes(r.product + "readme.txt", r.install + "readme.txt"));
  EXPECT_TRUE(sameBytes(r.product + "hello.exe", r.install + "hello.exe"));
  EXPECT_EQ(lastWriteTime(r.install + "readme.txt"), lastWriteTime(r.product + "readme.txt"));

  // The earlier log's own groups and keys stay, the run's are written again.
  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(r.install + "uninstall.dat"));
  ASSERT_TRUE(log.selectGroup("Earlier"));
  EXPECT_EQ(log.readKeyString("Kept", ""), "yes");
  ASSERT_TRUE(log.selectGroup("UserTask"));
  EXPECT_EQ(log.readKeyInteger("Number", -1), int(expectedUndoRecords(r).size()));
  EXPECT_EQ(log.readKeyString("Task99", ""), "0|C:\\earlier.lnk");
  EXPECT_EQ(log.readKeyString("Task1", ""), expectedUndoRecords(r)[0]);
  ASSERT_TRUE(log.selectGroup("Settings"));
  EXPECT_EQ(log.readKeyString("ProgDir", ""), r.install);
  log.closeKeyValueFile();
}

// Removes what the example's installs made, so each test run starts from a clean
// machine.
void cleanMachine() {
  for (const char* name : {"Quarvel Hello.lnk", "Hello Readme.lnk", "Quarvel Hello Online.lnk"})
    DeleteFileA((shellFolder(CSIDL_DESKTOPDIRECTORY) + name).c_str());
  DeleteFileA((shellFolder(CSIDL_STARTUP) + "Hello at Startup.lnk").c_str());
  removeTree(shellFolder(CSIDL_PROGRAMS) + "Quarvel Example");
  removeTree(shellFolder(CSIDL_PROGRAMS) + "Quarvel E2E");
  removeTree(shellFolder(CSIDL_APPDATA) + "Quarvel Hello");
  removeTree(shellFolder(CSIDL_PROGRAM_FILES) + "Quarvel Example");
  removeTree("C:\\Quarvel E2E");
  deleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
  // A wizard run's state key would propose its folders to the quiet run.
  deleteRegistryTree(HKEY_CURRENT_USER, std::string("SOFTWARE\\Quarvel\\") + kGuid);
  deleteRegistryTree(HKEY_CURRENT_USER, "Software\\QuarvelExample");
  deleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\QuarvelExample");
  for (const char* key : {"Applications\\hello.exe", ".qvhello", ".qvhellonote", "qvhello_auto_file",
                          "qvhellonote_auto_file"})
    deleteRegistryTree(HKEY_CLASSES_ROOT, key);
  for (const char* key : {".qvhello", ".qvhellonote", "hello.exe"})
    deleteRegistryTree(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\") + key);
  for (const char* ext : {".qvhello", ".qvhellonote"})
    deleteRegistryTree(HKEY_CURRENT_USER, std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\") + ext);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--clean") == 0) {
    cleanMachine();
    return 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
