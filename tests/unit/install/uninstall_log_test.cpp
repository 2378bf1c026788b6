// The uninstall log as the uninstaller receives it: every group and key in order with
// its value, the texts of the chosen language, the link names the start-menu step
// uses, the undo records, the product's files, the content an earlier log keeps, and
// NoUninstall.
#include "install/uninstall_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/file.h"
#include "runtime/key_value_file.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"

namespace {

using qvtest::ScratchFolder;

void writeText(const std::string& path, const std::string& text) {
  ASSERT_TRUE(qv::writeWholeFile(path, text.data(), text.size()));
}

qv::RunSettings productSettings() {
  qv::RunSettings s;
  s.progExe = "hello.exe";
  s.guid = "{5B1E0F7A-3C2D-4E8F-9A1B-2C3D4E5F6A7B}";
  s.progLink = "Quarvel Hello";
  s.startMenuPath = "C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\";
  s.exe = "Tools\\Viewer.old.exe";
  s.uninst1Prog = "before.exe";
  s.uninst1Param = "/quiet";
  s.uninst2Prog = "after.exe";
  s.uninst2Param = "-x \"y z\"";
  return s;
}

const char kFreshLog[] =
    "[Settings]\r\n"
    "ProgDir = C:\\Program Files\\Quarvel Hello\\\r\n"
    "ProgExe = hello.exe\r\n"
    "GUID = {5B1E0F7A-3C2D-4E8F-9A1B-2C3D4E5F6A7B}\r\n"
    "ProgLink = Quarvel Hello\r\n"
    "StartMenu = C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\\r\n"
    "DesktopIcon = C:\\Users\\me\\Desktop\\Quarvel Hello.lnk\r\n"
    "LoginAdmin = 1\r\n"
    "[Language]\r\n"
    "Titel = uninstall Program\r\n"
    "Msg = Program files And registry entries will be removed.\r\n"
    "Version = Version\r\n"
    "UninstInfo = Remove the following Program from your computer:\r\n"
    "DelAll = Delete all(!) files in the directory (including user files).\r\n"
    "Error = Uninstalling Program Not possible.\r\n"
    "Mutex = Close Program 'Quarvel Hello' first!|Then press OK!\r\n"
    "Status = Uninstalling completed.\r\n"
    "Logon = Login as administrator\r\n"
    "User = Username:\r\n"
    "Password = Password:\r\n"
    "RQ_Titel = Error - Login\r\n"
    "RQ_Msg = Login failed.\r\n"
    "OK = OK\r\n"
    "Cancel = Cancel\r\n"
    "Ready = Ready\r\n"
    "Login = Login\r\n"
    "[StartMenu]\r\n"
    "Program = C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\Quarvel Hello.lnk\r\n"
    "AddExe = C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\Viewer.lnk\r\n"
    "Help = C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\Help.lnk\r\n"
    "Homepage = C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\Homepage.lnk\r\n"
    "IUpdater = C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\InternetUpdater.lnk\r\n"
    "Uninstall = C:\\Users\\me\\Start Menu\\Programs\\Quarvel Hello\\Uninstall.lnk\r\n"
    "[StartProg]\r\n"
    "BeforeUninst = before.exe\r\n"
    "BeforeParam = /quiet\r\n"
    "AfterUninst = after.exe\r\n"
    "AfterParam = -x \"y z\"\r\n"
    "[UserTask]\r\n"
    "Number = 3\r\n"
    "Task1 = 0|C:\\Users\\me\\Desktop\\Readme.lnk\r\n"
    "Task2 = 5|C:\\Program Files\\Quarvel Hello\\extra.dll\r\n"
    "Task3 = 6|1|Software\\Quarvel Hello|Colour\r\n"
    "[Files]\r\n"
    "Number = 4\r\n"
    "File1 = hello.exe\r\n"
    "File2 = docs\\\r\n"
    "File3 = docs\\manual.txt\r\n"
    "File4 = uninstall.exe\r\n";

TEST(UninstallLog, FreshLogHoldsEveryGroupAndKeyInOrder) {
  ScratchFolder folder;
  qv::RunSettings settings = productSettings();
  qv::InterfaceTexts texts;
  texts.loadInterfaceTexts(folder / "missing.lng", "Quarvel Hello", "1.0");
  qv::UninstallLogRun run{folder.path(), "C:\\Users\\me\\Desktop\\Quarvel Hello.lnk", true, true,
                          {"hello.exe", "docs\\", "docs\\manual.txt", "uninstall.exe"}};
  const std::vector<std::string> undo = {"0|C:\\Users\\me\\Desktop\\Readme.lnk",
                                         "5|C:\\Program Files\\Quarvel Hello\\extra.dll",
                                         "6|1|Software\\Quarvel Hello|Colour"};
  qv::writeUninstallLog(run, settings, texts, undo);
  // The install folder the log names is the run's; here the scratch folder stands in.
  std::string expected = kFreshLog;
  std::string installed = "C:\\Program Files\\Quarvel Hello\\";
  expected.replace(expected.find(installed), installed.size(), folder.path());
  EXPECT_EQ(qvtest::readText(folder / "uninstall.dat"), expected);
}

TEST(UninstallLog, TextsOfTheChosenLanguageAndAnEmptyLinkName) {
  ScratchFolder folder;
  writeText(folder / "german.lng",
            "[Uninstaller]\r\nTitel = Programm entfernen\r\nDelAll = Alles l\xf6schen\r\n"
            "[Requester]\r\nRQ4_Msg = Programm '$Titel' schlie\xdf" "en!\r\nRQ4_Msg2 = Dann OK!\r\n"
            "RQ7_Titel = Fehler\r\n[LoginAdmin]\r\nWindow = Anmelden\r\n[Buttons]\r\nLogin = Los\r\n"
            "[Install]\r\nHelp =   Hilfe  \r\nUninstall = Entfernen\r\n[StartMenu]\r\nIUpdater = Updater \r\n");
  qv::InterfaceTexts texts;
  texts.loadInterfaceTexts(folder / "german.lng", "Hallo", "2.0");
  qv::RunSettings settings = productSettings();
  settings.progLink.clear();
  settings.progExe = "hallo.v2.exe";
  settings.guid.clear();
  // The start-menu step did not run: the additional program is not named, though set.
  qv::UninstallLogRun run{folder.path(), "", false, false};
  qv::writeUninstallLog(run, settings, texts, {});
  EXPECT_EQ(settings.progLink, "hallo");  // the run keeps the name too

  qv::KeyValueDocument log;
  ASSERT_TRUE(log.openKeyValueFile(folder / "uninstall.dat"));
  ASSERT_TRUE(log.selectGroup("Settings"));
  EXPECT_EQ(log.readKeyString("ProgLink", "-"), "hallo");
  EXPECT_EQ(log.readKeyString("GUID", "-"), "");
  EXPECT_EQ(log.readKeyString("DesktopIcon", "-"), "");
  EXPECT_EQ(log.readKeyInteger("LoginAdmin", -1), 0);
  ASSERT_TRUE(log.selectGroup("Language"));
  EXPECT_EQ(log.readKeyString("Titel", "-"), "Programm entfernen");
  EXPECT_EQ(log.readKeyString("DelAll", "-"), "Alles l\xf6schen");
  EXPECT_EQ(log.readKeyString("Mutex", "-"), "Programm '$Titel' schlie\xdf" "en!|Dann OK!");
  EXPECT_EQ(log.readKeyString("RQ_Titel", "-"), "Fehler");
  EXPECT_EQ(log.readKeyString("Logon", "-"), "Anmelden");
  EXPECT_EQ(log.readKeyString("Login", "-"), "Los");
  EXPECT_EQ(log.readKeyString("Msg", "-"), "Program files And registry entries will be removed.");
  ASSERT_TRUE(log.selectGroup("StartMenu"));
  const std::string menu = settings.startMenuPath;
  EXPECT_EQ(log.readKeyString("Program", "-"), menu + "hallo.lnk");
  EXPECT_EQ(log.readKeyString("AddExe", "-"), menu + ".lnk");
  EXPECT_EQ(log.readKeyString("Help", "-"), menu + "Hilfe.lnk");
  EXPECT_EQ(log.readKeyString("Homepage", "-"), menu + "Homepage.lnk");
  EXPECT_EQ(log.readKeyString("IUpdater", "-"), menu + "Updater.lnk");
  EXPECT_EQ(log.readKeyString("Uninstall", "-"), menu + "Entfernen.lnk");
  ASSERT_TRUE(log.selectGroup("UserTask"));
  EXPECT_EQ(log.readKeyInteger("Number", -1), 0);
  EXPECT_EQ(log.readKeyString("Task1", "none"), "none");
  ASSERT_TRUE(log.selectGroup("Files"));
  EXPECT_EQ(log.readKeyInteger("Number", -1), 0);
}

TEST(UninstallLog, EarlierLogKeepsWhatThisRunDoesNotWrite) {
  ScratchFolder folder;
  writeText(folder / "uninstall.dat",
            "; written by the first installation\r\n"
            "[Settings]\r\nProgDir = D:\\Old\\\r\nExtra = kept\r\nLoginAdmin = 1\r\n"
            "[Custom]\r\nNote = from the product\r\n"
            "[UserTask]\r\nNumber = 4\r\nTask1 = 0|old1\r\nTask2 = 0|old2\r\nTask3 = 0|old3\r\nTask4 = 0|old4\r\n"
            "[Files]\r\nNumber = 3\r\nFile1 = old.exe\r\nFile2 = old\\\r\nFile3 = old\\a.txt\r\n");
  qv::RunSettings settings = productSettings();
  qv::InterfaceTexts texts;
  qv::writeUninstallLog({folder.path(), "", false, false, {"new.exe"}}, settings, texts, {"1|new1", "2|new2"});

  std::string log = qvtest::readText(folder / "uninstall.dat");
  EXPECT_EQ(log.rfind("; written by the first installation\r\n[Settings]\r\nProgDir = " + folder.path() + "\r\n"
                      "Extra = kept\r\nLoginAdmin = 0\r\n",
                      0),
            0u)
      << log;
  EXPECT_NE(log.find("[Custom]\r\nNote = from the product\r\n[UserTask]\r\nNumber = 2\r\nTask1 = 1|new1\r\n"
                     "Task2 = 2|new2\r\nTask3 = 0|old3\r\nTask4 = 0|old4\r\n"),
            std::string::npos)
      << log;
  // The count tells how many of the numbered files are this run's.
  EXPECT_NE(log.find("[Files]\r\nNumber = 1\r\nFile1 = new.exe\r\nFile2 = old\\\r\n"), std::string::npos) << log;
  // Keys missing from the earlier groups and the missing groups follow.
  qv::KeyValueDocument doc;
  ASSERT_TRUE(doc.openKeyValueFile(folder / "uninstall.dat"));
  ASSERT_TRUE(doc.selectGroup("Settings"));
  EXPECT_EQ(doc.readKeyString("ProgExe", "-"), "hello.exe");
  EXPECT_EQ(doc.readKeyString("GUID", "-"), settings.guid);
  for (const char* group : {"Language", "StartMenu", "StartProg"}) EXPECT_TRUE(doc.selectGroup(group)) << group;
  EXPECT_EQ(doc.readKeyString("AfterParam", "-"), "-x \"y z\"");
}

TEST(UninstallLog, NoUninstallWritesAndChangesNothing) {
  ScratchFolder folder;
  qv::RunSettings settings = productSettings();
  settings.noUninstall = 1;
  settings.progLink.clear();
  qv::InterfaceTexts texts;
  qv::writeUninstallLog({folder.path(), "", false}, settings, texts, {"0|x"});
  EXPECT_FALSE(qv::fileExists(folder / "uninstall.dat"));
  EXPECT_EQ(settings.progLink, "");

  const std::string earlier = "[Settings]\r\nProgDir = D:\\Old\\\r\n";
  writeText(folder / "uninstall.dat", earlier);
  qv::writeUninstallLog({folder.path(), "", false}, settings, texts, {"0|x"});
  EXPECT_EQ(qvtest::readText(folder / "uninstall.dat"), earlier);
}

TEST(UninstallLog, UnwritableFolderIsNotAFailureOfTheRun) {
  ScratchFolder folder;
  qv::RunSettings settings = productSettings();
  qv::InterfaceTexts texts;
  // The install folder does not exist: nothing is written, and nothing breaks.
  qv::writeUninstallLog({folder / "gone\\", "", false}, settings, texts, {"0|x"});
  EXPECT_FALSE(qv::fileExists(folder / "gone\\uninstall.dat"));
}

}  // namespace
