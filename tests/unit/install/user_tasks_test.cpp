// The task list run against a folder tree laid out like a Windows machine, with the
// system effects recorded: what each kind hands on, what it leaves on disk and
// which undo record it makes.
#include "install/user_tasks.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "runtime/file.h"
#include "runtime/key_value_file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "unit/system/fake_system_folders.h"

namespace {

using namespace qv::folder_code;

std::string joined(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "|") + p;
  return out;
}

class RecordingActions : public qv::UserTaskActions {
 public:
  void createShortcut(const std::string& target, const std::string& linkFile, const std::string& workingFolder,
                      const std::string& arguments, const std::string& iconFile, int32_t iconIndex) override {
    calls.push_back(joined({"link", target, linkFile, workingFolder, arguments, iconFile, std::to_string(iconIndex)}));
  }
  void createInternetShortcut(const std::string& address, const std::string& linkFile, const std::string& iconFile,
                              int32_t iconIndex) override {
    calls.push_back(joined({"address", address, linkFile, iconFile, std::to_string(iconIndex)}));
  }
  void copyFileChecked(const std::string& source, const std::string& destination) override {
    calls.push_back(joined({"copy", source, destination}));
  }
  void writeRegistryString(qv::RegistryRoot root, const std::string& key, const std::string& name,
                           const std::string& data) override {
    calls.push_back(joined({"registry", std::to_string(int(root)), key, name, data}));
  }
  void runProgram(const std::string& file, const std::string& parameters,
                  const std::string& workingFolder) override {
    calls.push_back(joined({"run", file, parameters, workingFolder}));
  }
  bool confirmAssociation(const std::string& extension) override {
    calls.push_back(joined({"ask", extension}));
    return answer;
  }
  void associateExtension(const std::string& extension, const std::string& description,
                          const std::string& programPath, const std::string& iconLocation) override {
    calls.push_back(joined({"associate", extension, description, programPath, iconLocation}));
  }

  std::vector<std::string> calls;
  bool answer = true;
};

class UserTasks : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    root_ = scratch_.path();
#else
    // Drive paths, as the tasks meet them on Windows: a folder "C:" in the scratch
    // folder, which becomes the current folder.
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    savedFolder_ = cwd;
    std::string scratch = scratch_.path();
    for (char& c : scratch) c = c == '\\' ? '/' : c;
    ASSERT_EQ(chdir(scratch.c_str()), 0);
    root_ = "C:\\";
#endif
    values_.installFolder = root_ + "Program Files\\My App\\";
    values_.tempFolder = root_ + "Temp\\{0A}\\";
    values_.startMenuPath = root_ + "Menu\\My App\\";
    values_.setupDescriptionPath = values_.tempFolder + "setup.ini";
    values_.primaryLanguage = 7;
    for (const char* f : {"Program Files\\My App\\", "Temp\\{0A}\\", "Menu\\My App\\", "Desktop\\", "Startup\\",
                          "System32\\", "AppData\\"}) {
      ASSERT_TRUE(qv::ensureFolderPath(root_ + f));
    }
    folders_.folders = {{kDesktop, root_ + "Desktop\\"},  {kStartup, root_ + "Startup\\"},
                        {kSystem, root_ + "System32\\"},   {kProgramFiles, root_ + "Program Files\\"},
                        {kAppData, root_ + "AppData\\"},   {kWindows, root_ + "Windows\\"}};
  }
  void TearDown() override {
#ifndef _WIN32
    if (!savedFolder_.empty()) {
      EXPECT_EQ(chdir(savedFolder_.c_str()), 0);
    }
#endif
  }

  void writeFile(const std::string& path, const std::string& text = "x") {
    ASSERT_TRUE(qv::writeWholeFile(path, text.data(), text.size())) << path;
  }
  void writeSetupDescription(const std::string& text) { writeFile(values_.setupDescriptionPath, text); }
  qv::UndoList runTasks(const std::vector<std::string>& tasks) {
    std::string text = "[Settings]\r\nProgExe=app.exe\r\n[UserTask]\r\nNumber=" + std::to_string(tasks.size()) + "\r\n";
    for (size_t i = 0; i < tasks.size(); ++i) text += "Task" + std::to_string(i + 1) + "=" + tasks[i] + "\r\n";
    writeSetupDescription(text);
    return qv::runUserTasks(values_, folders_, actions_);
  }
  std::string readIni(const std::string& file, const std::string& group, const std::string& key) {
    qv::KeyValueDocument d;
    d.openKeyValueFile(values_.installFolder + file);
    d.selectGroup(group);
    return d.readKeyString(key, "<missing>");
  }

  qvtest::ScratchFolder scratch_;
  std::string savedFolder_;
  std::string root_;
  qv::UserTaskValues values_;
  qvtest::FakeFolderLookup folders_;
  RecordingActions actions_;
};

TEST_F(UserTasks, StartMenuLinkIntoASubfolderTakesItsTargetsIcon) {
  const std::string inst = values_.installFolder, menu = values_.startMenuPath;
  qv::UndoList undo = runTasks({"1|Tools\\Readme|Readme.txt|-1|"});
  EXPECT_TRUE(qv::folderExists(menu + "Tools\\"));
  ASSERT_EQ(actions_.calls.size(), 1u);
  EXPECT_EQ(actions_.calls[0], joined({"link", inst + "Readme.txt", menu + "Tools\\Readme.lnk", inst, "", "|", "-1"}));
  EXPECT_EQ(undo, qv::UndoList{"1|" + menu + "Tools\\Readme.lnk"});
}

TEST_F(UserTasks, LinkNamesTargetsIconsAndFolders) {
  const std::string inst = values_.installFolder, desk = root_ + "Desktop\\", start = root_ + "Startup\\";
  writeFile(inst + "app.ico");
  writeFile(root_ + "System32\\shell.dll");
  qv::UndoList undo = runTasks({
      "0|App.lnk|app.exe|2|app.ico|/a b",                  // existing icon, .lnk kept
      "0|App.LNK|bin\\app.exe|-1|app.ico|",                // -1 ignores the icon file
      "4|Auto|%Windows%tool.exe|5|missing.ico|-x",          // icon not there; target expanded
      "0|Sys|app.exe|3|%System%shell.dll",                  // icon with placeholder
      "0|Odd|50%app.exe|255||",                             // one "%": after the install folder
      "0|Empty icon|app.exe|4||",
  });
  ASSERT_EQ(actions_.calls.size(), 6u);
  EXPECT_EQ(actions_.calls[0], joined({"link", inst + "app.exe", desk + "App.lnk", inst, "/a b", inst + "app.ico", "2"}));
  EXPECT_EQ(actions_.calls[1], joined({"link", inst + "bin\\app.exe", desk + "App.LNK.lnk", inst + "bin\\", "", "|", "-1"}));
  EXPECT_EQ(actions_.calls[2],
            joined({"link", root_ + "Windows\\tool.exe", start + "Auto.lnk", root_ + "Windows\\", "-x", "|", "5"}));
  EXPECT_EQ(actions_.calls[3],
            joined({"link", inst + "app.exe", desk + "Sys.lnk", inst, "", root_ + "System32\\shell.dll", "3"}));
  EXPECT_EQ(actions_.calls[4], joined({"link", inst + "50%app.exe", desk + "Odd.lnk", inst, "", "|", "-1"}));
  EXPECT_EQ(actions_.calls[5], joined({"link", inst + "app.exe", desk + "Empty icon.lnk", inst, "", "|", "4"}));
  EXPECT_EQ(undo, (qv::UndoList{"0|" + desk + "App.lnk", "0|" + desk + "App.LNK.lnk", "4|" + start + "Auto.lnk",
                                "0|" + desk + "Sys.lnk", "0|" + desk + "Odd.lnk", "0|" + desk + "Empty icon.lnk"}));
  // Only kind 1 makes folders: a desktop link into a missing subfolder does not.
  runTasks({"0|Sub\\X|app.exe|0|"});
  EXPECT_FALSE(qv::folderExists(desk + "Sub\\"));
}

TEST_F(UserTasks, AddressLinksKeepTheAddressAndTheirIcon) {
  const std::string inst = values_.installFolder;
  writeFile(inst + "web.ico");
  qv::UndoList undo = runTasks({"2|Home|https://example.org/a|-1|web.ico|ignored",
                                "3|News|https://example.org/news|1|web.ico", "3|Deep\\News|http://x|0|"});
  ASSERT_EQ(actions_.calls.size(), 3u);
  EXPECT_EQ(actions_.calls[0], joined({"address", "https://example.org/a", root_ + "Desktop\\Home.lnk", "|", "-1"}));
  EXPECT_EQ(actions_.calls[1],
            joined({"address", "https://example.org/news", values_.startMenuPath + "News.lnk", inst + "web.ico", "1"}));
  EXPECT_EQ(actions_.calls[2], joined({"address", "http://x", values_.startMenuPath + "Deep\\News.lnk", "|", "0"}));
  EXPECT_FALSE(qv::folderExists(values_.startMenuPath + "Deep\\"));
  EXPECT_EQ(undo[1], "3|" + values_.startMenuPath + "News.lnk");
}

TEST_F(UserTasks, CopiesFromTheTemporaryFolderIntoMadeFolders) {
  const std::string inst = values_.installFolder, temp = values_.tempFolder;
  qv::ensureFolderPath(root_ + "Direct\\");
  writeFile(root_ + "Direct\\e.txt");
  qv::UndoList undo = runTasks({
      "5|extras.txt|extras.txt|%InstallDir%docs\\",
      "5|notes.txt|extras.txt|%AppData%Quarvel Hello\\",
      "5|b.txt|sub\\b.txt|Plain\\",          // no placeholder: under Program Files
      "5|c.txt|c.txt|%ProgDir%%InstallDir%", // both tokens replaced
      "5|" + root_ + "Direct\\d.txt|d.txt|", // no folder: the name as written
      "5|" + root_ + "Direct\\e.txt|e.txt|", // there already: marked, so that it stays
  });
  EXPECT_EQ(actions_.calls, (std::vector<std::string>{
                                joined({"copy", temp + "extras.txt", inst + "docs\\extras.txt"}),
                                joined({"copy", temp + "extras.txt", root_ + "AppData\\Quarvel Hello\\notes.txt"}),
                                joined({"copy", temp + "sub\\b.txt", root_ + "Program Files\\Plain\\b.txt"}),
                                joined({"copy", temp + "c.txt", inst + inst + "c.txt"}),
                                joined({"copy", temp + "d.txt", root_ + "Direct\\d.txt"}),
                                joined({"copy", temp + "e.txt", root_ + "Direct\\e.txt"}),
                            }));
  EXPECT_TRUE(qv::folderExists(inst + "docs\\"));
  EXPECT_TRUE(qv::folderExists(root_ + "AppData\\Quarvel Hello\\"));
  EXPECT_TRUE(qv::folderExists(root_ + "Program Files\\Plain\\"));
  EXPECT_TRUE(qv::folderExists(root_ + "Direct\\"));
  EXPECT_EQ(undo, (qv::UndoList{"5|" + inst + "docs\\extras.txt", "5|" + root_ + "AppData\\Quarvel Hello\\notes.txt",
                                "5|" + root_ + "Program Files\\Plain\\b.txt", "5|" + inst + inst + "c.txt",
                                "5|" + root_ + "Direct\\d.txt", "5|" + root_ + "Direct\\e.txt|1"}));
}

TEST_F(UserTasks, RegistryValuesReplaceOnlyTheInstallFolder) {
  const std::string inst = values_.installFolder;
  qv::UndoList undo = runTasks({
      "6|2147483650|Software\\Q|Dir|%InstallDir%data|%ProgDir%",
      "6|2147483649|Software\\Q||%StartMenuDir% %System% %LanguageID%",
      "6|2147483648|.q|Name|x",
      "6|-2147483646|Software\\Q|Neg|y",
      "6|5|Software\\Q|Bad|z",  // no such root: nothing written, still recorded
  });
  EXPECT_EQ(actions_.calls,
            (std::vector<std::string>{
                joined({"registry", std::to_string(int(qv::RegistryRoot::LocalMachine)), "Software\\Q", "Dir", inst + "data"}),
                joined({"registry", std::to_string(int(qv::RegistryRoot::CurrentUser)), "Software\\Q", "",
                        "%StartMenuDir% %System% %LanguageID%"}),
                joined({"registry", std::to_string(int(qv::RegistryRoot::ClassesRoot)), ".q", "Name", "x"}),
                joined({"registry", std::to_string(int(qv::RegistryRoot::LocalMachine)), "Software\\Q", "Neg", "y"}),
            }));
  EXPECT_EQ(undo, (qv::UndoList{"6|2147483650|Software\\Q|Dir", "6|2147483649|Software\\Q|", "6|2147483648|.q|Name",
                                "6|2147483650|Software\\Q|Neg", "6|5|Software\\Q|Bad"}));
}

TEST_F(UserTasks, IniEntriesAreWrittenAndTheTaskListGoesOn) {
  const std::string inst = values_.installFolder;
  writeFile(inst + "app.ini", "[Paths]\r\nOld=1\r\n");
  qv::UndoList undo = runTasks({
      "8|app.ini|Paths|Menu|%StartMenuDir%",
      "8|app.ini|Paths|Language|%LanguageID%",
      "8|app.ini|Paths|Dirs|%InstallDir%+%ProgDir%+%System%",
      "8|app.ini|Paths|Plain|MyApp",  // flag clear: no Program Files in front
      "8|app.ini||Installed|yes",
      "8|new.ini|Fresh|Key|v",
      "6|2147483649|K|N|after",       // the loop goes on behind the INI tasks
  });
  EXPECT_EQ(readIni("app.ini", "Paths", "Menu"), values_.startMenuPath);
  EXPECT_EQ(readIni("app.ini", "Paths", "Language"), "7");
  EXPECT_EQ(readIni("app.ini", "Paths", "Dirs"), inst + "+" + inst + "+" + root_ + "System32\\");
  EXPECT_EQ(readIni("app.ini", "Paths", "Plain"), "MyApp");
  EXPECT_EQ(readIni("app.ini", "Paths", "Old"), "1");
  EXPECT_EQ(readIni("app.ini", "", "Installed"), "yes");
  EXPECT_EQ(readIni("new.ini", "Fresh", "Key"), "v");
  ASSERT_EQ(actions_.calls.size(), 1u);
  EXPECT_EQ(undo, qv::UndoList{"6|2147483649|K|N"});
  // The setup description was only read.
  EXPECT_EQ(qvtest::readText(values_.setupDescriptionPath).find("Menu="), std::string::npos);
}

TEST_F(UserTasks, LanguageIdIsZeroWithoutAutomaticChoice) {
  values_.primaryLanguage = 0;
  runTasks({"8|app.ini|P|L|%LanguageID%"});
  EXPECT_EQ(readIni("app.ini", "P", "L"), "0");
}

TEST_F(UserTasks, ProgramsAndRegistrationsInAndOutsideTheProgramFolder) {
  const std::string inst = values_.installFolder, temp = values_.tempFolder, sys = root_ + "System32\\";
  qv::UndoList undo = runTasks({
      "9|%ProgDir%|regdemo.dll|1",
      "9|%ProgDir%bin\\|tool.exe|0",
      "9|%AppData%Hello\\|note.exe|0",
      "9|%progdir%\\|x.exe|0",  // lower case: not the program folder, and not replaced
      "9|%ProgDir%|flag.exe|256",  // a byte: 256 is no register flag
  });
  EXPECT_EQ(actions_.calls,
            (std::vector<std::string>{
                joined({"run", sys + "regsvr32.exe", "/S \"" + inst + "regdemo.dll\"", inst}),
                joined({"run", inst + "bin\\tool.exe", "", inst + "bin\\"}),
                joined({"copy", temp + "note.exe", root_ + "AppData\\Hello\\note.exe"}),
                joined({"run", root_ + "AppData\\Hello\\note.exe", "", root_ + "AppData\\Hello\\"}),
                joined({"copy", temp + "x.exe", "%progdir%\\x.exe"}),
                joined({"run", "%progdir%\\x.exe", "", "%progdir%\\"}),
                joined({"run", inst + "flag.exe", "", inst}),
            }));
  // A program copied outside the program folder is recorded as a copied file.
  EXPECT_EQ(undo, (qv::UndoList{"9|" + sys + "|" + inst + "regdemo.dll", "9|" + sys + "|" + inst + "bin\\tool.exe",
                                "5|" + root_ + "AppData\\Hello\\note.exe", "5|%progdir%\\x.exe",
                                "9|" + sys + "|" + inst + "flag.exe"}));
}

TEST_F(UserTasks, AssociationsWithIconsAndTheQuestion) {
  const std::string inst = values_.installFolder;
  writeFile(inst + "app.exe");
  writeFile(root_ + "System32\\icons.dll");
  qv::UndoList undo = runTasks({
      "10|app.exe|qva|Greeting|0|app.exe|0",
      "10|bin\\viewer.exe|qvb||-1|app.exe|2",    // -1: no icon; 2 does not ask
      "10|app.exe|qvc|C|3|missing.ico|",         // icon not there
      "10|app.exe|qvd|D|1|%System%icons.dll|1",  // asked, Yes
      "10|app.exe|qve|E|0||257",                 // 257 is 1 as a byte: asked
  });
  EXPECT_EQ(actions_.calls, (std::vector<std::string>{
                                joined({"associate", "qva", "Greeting", inst + "app.exe", inst + "app.exe,0"}),
                                joined({"associate", "qvb", "", inst + "bin\\viewer.exe", ""}),
                                joined({"associate", "qvc", "C", inst + "app.exe", ""}),
                                joined({"ask", "qvd"}),
                                joined({"associate", "qvd", "D", inst + "app.exe", root_ + "System32\\icons.dll,1"}),
                                joined({"ask", "qve"}),
                                joined({"associate", "qve", "E", inst + "app.exe", ""}),
                            }));
  EXPECT_EQ(undo, (qv::UndoList{"10|qva|app.exe", "10|qvb|viewer.exe", "10|qvc|app.exe", "10|qvd|app.exe",
                                "10|qve|app.exe"}));

  actions_.calls.clear();
  actions_.answer = false;
  undo = runTasks({"10|app.exe|qvf|F|0|app.exe|1"});
  EXPECT_EQ(actions_.calls, std::vector<std::string>{joined({"ask", "qvf"})});
  EXPECT_TRUE(undo.empty());
}

TEST_F(UserTasks, TaskNumbersBlankLinesAndKindsThatDoNothing) {
  // Task3 is missing, Task4 empty, Task7 lies above Number; kinds 7, 11 and -1 do nothing.
  writeSetupDescription(
      "[UserTask]\r\nNumber=6\r\nTask1=7|x\r\nTask2=6|2147483649|K|A|1\r\nTask4=\r\nTask5=11|a|b\r\n"
      "Task6=-1|x\r\nTask7=6|2147483649|K|C|3\r\n");
  qv::UndoList undo = qv::runUserTasks(values_, folders_, actions_);
  EXPECT_EQ(undo, qv::UndoList{"6|2147483649|K|A"});
  EXPECT_EQ(actions_.calls.size(), 1u);

  // 65537 is 1 as a 16-bit count; 65535 is -1, which runs nothing.
  actions_.calls.clear();
  writeSetupDescription("[UserTask]\r\nNumber=65537\r\nTask1=6|2147483649|K|A|1\r\nTask2=6|2147483649|K|B|1\r\n");
  EXPECT_EQ(qv::runUserTasks(values_, folders_, actions_).size(), 1u);
  writeSetupDescription("[UserTask]\r\nNumber=65535\r\nTask1=6|2147483649|K|A|1\r\n");
  EXPECT_TRUE(qv::runUserTasks(values_, folders_, actions_).empty());

  // No setup description, or no [UserTask]: nothing runs.
  writeSetupDescription("[Other]\r\nNumber=1\r\nTask1=6|2147483649|K|A|1\r\n");
  EXPECT_TRUE(qv::runUserTasks(values_, folders_, actions_).empty());
  values_.setupDescriptionPath = root_ + "none.ini";
  EXPECT_TRUE(qv::runUserTasks(values_, folders_, actions_).empty());
  EXPECT_FALSE(qv::fileExists(values_.setupDescriptionPath));
  EXPECT_EQ(actions_.calls.size(), 1u);
}

TEST_F(UserTasks, EachRunStartsANewUndoList) {
  EXPECT_EQ(runTasks({"6|2147483649|K|A|1"}).size(), 1u);
  EXPECT_EQ(runTasks({"7"}).size(), 0u);
}

}  // namespace
