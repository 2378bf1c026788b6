// The user tasks under Wine against the real parts: the shell's link object, the
// registry, checked copies, started programs, regsvr32 and associations. Every
// task's effect is read back, and the undo records are compared whole.
#include "install/user_tasks.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "install/user_tasks_actions.h"
#include "run/run_context.h"
#include "run/start_run.h"
#include "runtime/file.h"
#include "runtime/key_value_file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "system/associations.h"
#include "win32/checked_copy_win32.h"
#include "win32/helpers/link_reader.h"
#include "win32/registry_win32.h"
#include "win32/shell_folders_win32.h"
#include "win32/shortcuts_win32.h"
#include "win32/start_services_win32.h"

namespace {

using namespace qv::folder_code;

const char kValuesKey[] = "Software\\Quarvel Tests\\User Tasks";
const char kRegistrationKey[] = "Software\\Quarvel Tests\\Tasks Registration";

// Answers the association question without a window, noting what was asked.
class AnsweringQuestion : public qv::AssociationQuestion {
 public:
  bool confirmAssociation(const std::string& caption, const std::string& text) override {
    asked.push_back(caption + "|" + text);
    return answer;
  }
  std::vector<std::string> asked;
  bool answer = false;
};

std::string helperFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string self(path, n);
  return self.substr(0, self.find_last_of('\\') + 1) + "win32\\helpers\\";
}

std::string readValue(HKEY root, const std::string& key, const char* name) {
  char data[1024] = {};
  DWORD size = sizeof(data) - 1;
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<no key>";
  LONG r = RegQueryValueExA(h, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(h);
  return r == ERROR_SUCCESS ? std::string(data) : "<no value>";
}

bool keyExists(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

void deleteTree(HKEY root, const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS) return;
  char name[256];
  for (;;) {
    DWORD n = sizeof(name);
    if (RegEnumKeyExA(h, 0, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    deleteTree(h, name);
  }
  RegCloseKey(h);
  RegDeleteKeyA(root, key.c_str());
}

void copyHelper(const std::string& name, const std::string& destination) {
  ASSERT_TRUE(CopyFileA((helperFolder() + name).c_str(), destination.c_str(), FALSE)) << name;
}

class Win32UserTasks : public ::testing::Test {
 protected:
  void SetUp() override {
    values_.installFolder = scratch_ / "Program Files\\Quarvel Tasks\\";
    values_.tempFolder = scratch_ / "Temp\\{3F2A}\\";
    values_.startMenuPath = scratch_ / "Menu\\Quarvel Tasks\\";
    values_.setupDescriptionPath = values_.tempFolder + "setup.ini";
    values_.primaryLanguage = 9;
    ASSERT_TRUE(qv::ensureFolderPath(values_.installFolder));
    ASSERT_TRUE(qv::ensureFolderPath(values_.tempFolder));
    ASSERT_TRUE(qv::ensureFolderPath(values_.startMenuPath));
    clean();
  }
  void TearDown() override { clean(); }
  void clean() {
    for (const std::string& link : madeLinks_) DeleteFileA(link.c_str());
    deleteTree(HKEY_CURRENT_USER, "Software\\Quarvel Tests\\User Tasks");
    deleteTree(HKEY_CURRENT_USER, kRegistrationKey);
    for (const char* ext : {"qvtasksa", "qvtasksb"}) {
      deleteTree(HKEY_CLASSES_ROOT, std::string(".") + ext);
      deleteTree(HKEY_CLASSES_ROOT, std::string(ext) + "_auto_file");
      deleteTree(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\.") + ext);
      deleteTree(HKEY_CURRENT_USER, std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.") + ext);
    }
    deleteTree(HKEY_CLASSES_ROOT, "Applications\\qvtasks-app.exe");
    deleteTree(HKEY_LOCAL_MACHINE, "Software\\Classes\\qvtasks-app.exe");
  }

  void writeFile(const std::string& path, const std::string& text) {
    ASSERT_TRUE(qv::writeWholeFile(path, text.data(), text.size())) << path;
  }
  qv::UndoList runTasks(const std::vector<std::string>& tasks) {
    std::string text = "[UserTask]\r\nNumber=" + std::to_string(tasks.size()) + "\r\n";
    for (size_t i = 0; i < tasks.size(); ++i) text += "Task" + std::to_string(i + 1) + "=" + tasks[i] + "\r\n";
    writeFile(values_.setupDescriptionPath, text);
    qv::Win32Registry registry;
    qv::Win32ShellFolders shell;
    qv::SpecialFolders folders(shell, registry);
    qv::Win32ShellLinks links;
    qv::RunContext context;
    qv::Win32StartServices system;
    qv::InterfaceTexts texts;
    qv::Win32CopyServices copies;
    qv::RunCopyPolicy policy(context, system, texts);
    qv::InstallerTaskActions actions(qv::UserTaskParts{links, folders, registry, system.processes(), copies, policy,
                                                       question_, texts, shell.systemVersion(), false});
    return qv::runUserTasks(values_, folders, actions);
  }
  std::string folder(int code) {
    qv::Win32Registry registry;
    qv::Win32ShellFolders shell;
    return qv::SpecialFolders(shell, registry).getSpecialFolder(code);
  }
  std::string link(const std::string& path) {
    madeLinks_.push_back(path);
    return path;
  }

  qvtest::ScratchFolder scratch_;
  qv::UserTaskValues values_;
  AnsweringQuestion question_;
  std::vector<std::string> madeLinks_;
};

TEST_F(Win32UserTasks, LinksInTheDesktopStartMenuAndStartupFolders) {
  const std::string inst = values_.installFolder, menu = values_.startMenuPath, sys = folder(kSystem);
  const std::string desktopLink = link(folder(kDesktop) + "Quarvel Tasks Link.lnk");
  const std::string addressLink = link(folder(kDesktop) + "Quarvel Tasks Web.lnk");
  const std::string startupLink = link(folder(kStartup) + "Quarvel Tasks Startup.lnk");
  writeFile(inst + "app.exe", "MZ");
  writeFile(inst + "readme.txt", "read me");
  qv::UndoList undo = runTasks({
      "0|Quarvel Tasks Link|app.exe|2|app.exe|/from desktop",
      "1|Tools\\Readme|readme.txt|-1|",
      "2|Quarvel Tasks Web|https://example.org/quarvel/|-1|",
      "4|Quarvel Tasks Startup.lnk|app.exe|0||/startup",
  });
  EXPECT_EQ(undo, (qv::UndoList{"0|" + desktopLink, "1|" + menu + "Tools\\Readme.lnk", "2|" + addressLink,
                                "4|" + startupLink}));

  qvtest::LinkContents d = qvtest::readLinkFile(desktopLink);
  ASSERT_TRUE(d.loaded);
  EXPECT_EQ(d.target, inst + "app.exe");
  EXPECT_EQ(d.arguments, "/from desktop");
  EXPECT_EQ(d.workingFolder, inst);
  EXPECT_EQ(d.iconFile, inst + "app.exe");
  EXPECT_EQ(d.iconIndex, 2);

  qvtest::LinkContents r = qvtest::readLinkFile(menu + "Tools\\Readme.lnk");
  ASSERT_TRUE(r.loaded);
  EXPECT_EQ(r.target, inst + "readme.txt");
  EXPECT_EQ(r.workingFolder, inst);
  EXPECT_EQ(r.iconFile, inst + "readme.txt");  // the target's own icon
  EXPECT_EQ(r.iconIndex, 0);

  qvtest::LinkContents w = qvtest::readLinkFile(addressLink);
  ASSERT_TRUE(w.loaded);
  EXPECT_EQ(w.item, "https://example.org/quarvel/");
  EXPECT_EQ(w.workingFolder, "");
  EXPECT_EQ(w.iconFile, sys + "url.dll");
  EXPECT_EQ(w.iconIndex, 0);

  qvtest::LinkContents s = qvtest::readLinkFile(startupLink);
  ASSERT_TRUE(s.loaded);
  EXPECT_EQ(s.target, inst + "app.exe");
  EXPECT_EQ(s.arguments, "/startup");
}

TEST_F(Win32UserTasks, CopiesRegistryValuesAndIniEntries) {
  const std::string inst = values_.installFolder;
  writeFile(values_.tempFolder + "extras.txt", "extra bytes\r\n");
  writeFile(inst + "app.ini", "[Paths]\r\nKept=1\r\n");
  qv::UndoList undo = runTasks({
      "5|extras.txt|extras.txt|%InstallDir%docs\\",
      "6|2147483649|Software\\Quarvel Tests\\User Tasks|Dir|%InstallDir%data|%ProgDir%",
      "8|app.ini|Paths|Menu|%StartMenuDir%",
      "8|app.ini|Paths|Language|%LanguageID%",
      "8|app.ini||Installed|yes",
      "6|2147483649|Software\\Quarvel Tests\\User Tasks|After INI|%ProgDir%",
  });
  EXPECT_EQ(undo, (qv::UndoList{"5|" + inst + "docs\\extras.txt",
                                "6|2147483649|Software\\Quarvel Tests\\User Tasks|Dir",
                                "6|2147483649|Software\\Quarvel Tests\\User Tasks|After INI"}));
  EXPECT_EQ(qvtest::readText(inst + "docs\\extras.txt"), "extra bytes\r\n");
  EXPECT_EQ(readValue(HKEY_CURRENT_USER, kValuesKey, "Dir"), inst + "data");
  EXPECT_EQ(readValue(HKEY_CURRENT_USER, kValuesKey, "After INI"), inst);

  qv::KeyValueDocument ini;
  ASSERT_TRUE(ini.openKeyValueFile(inst + "app.ini"));
  ini.selectGroup("Paths");
  EXPECT_EQ(ini.readKeyString("Menu", ""), values_.startMenuPath);
  EXPECT_EQ(ini.readKeyString("Language", ""), "9");
  EXPECT_EQ(ini.readKeyString("Kept", ""), "1");
  ini.selectGroup("");
  EXPECT_EQ(ini.readKeyString("Installed", ""), "yes");
}

TEST_F(Win32UserTasks, DllInAFolderWithABlankIsRegistered) {
  const std::string inst = values_.installFolder, sys = folder(kSystem);
  ASSERT_NE(inst.find(' '), std::string::npos);
  copyHelper("qvregtest.dll", inst + "qvregtest.dll");
  qv::UndoList undo = runTasks({"9|%ProgDir%|qvregtest.dll|1"});
  EXPECT_EQ(undo, qv::UndoList{"9|" + sys + "|" + inst + "qvregtest.dll"});
  // regsvr32 has ended: its DllRegisterServer has written the DLL's own path.
  EXPECT_EQ(readValue(HKEY_CURRENT_USER, kRegistrationKey, "Module"), inst + "qvregtest.dll");
}

TEST_F(Win32UserTasks, ProgramOutsideTheProgramFolderIsCopiedRunAndWaitedFor) {
  const std::string runFolder = scratch_ / "Run Here\\";
  ASSERT_TRUE(qv::ensureFolderPath(runFolder));
  copyHelper("qvtaskmark.exe", values_.tempFolder + "qvtaskmark.exe");
  const std::string inProgramFolder = values_.installFolder + "bin\\";
  ASSERT_TRUE(qv::ensureFolderPath(inProgramFolder));
  copyHelper("qvtaskmark.exe", inProgramFolder + "qvtaskmark.exe");
  qv::UndoList undo = runTasks({"9|" + runFolder + "|qvtaskmark.exe|0", "9|%ProgDir%bin\\|qvtaskmark.exe|0"});
  // The copy in the run folder came from the temporary folder; both ran in their own
  // folders, and had written their marks when the tasks returned.
  EXPECT_TRUE(qv::fileExists(runFolder + "qvtaskmark.exe"));
  EXPECT_EQ(qvtest::readText(runFolder + "ran.txt"), "\"" + runFolder + "qvtaskmark.exe\"");
  EXPECT_EQ(qvtest::readText(inProgramFolder + "ran.txt"), "\"" + inProgramFolder + "qvtaskmark.exe\"");
  // The copy outside the program folder is recorded as a copied file, for the
  // uninstaller to remove.
  EXPECT_EQ(undo, (qv::UndoList{"5|" + runFolder + "qvtaskmark.exe",
                                "9|" + folder(kSystem) + "|" + inProgramFolder + "qvtaskmark.exe"}));
}

TEST_F(Win32UserTasks, AssociationsAsTheQuestionAllows) {
  const std::string inst = values_.installFolder;
  writeFile(inst + "qvtasks-app.exe", "MZ");
  question_.answer = false;
  qv::UndoList undo = runTasks({
      "10|qvtasks-app.exe|qvtasksa|Quarvel task document|1|qvtasks-app.exe|0",
      "10|qvtasks-app.exe|qvtasksb|Never|0||1",
  });
  EXPECT_EQ(undo, qv::UndoList{"10|qvtasksa|qvtasks-app.exe"});
  ASSERT_EQ(question_.asked.size(), 1u);
  EXPECT_EQ(question_.asked[0], "Associate File Extension|Associate File Extension '*.qvtasksb' with the program?  ");

  const std::string command = "\"" + inst + "qvtasks-app.exe\" \"%1\"";
  if (qv::associatesThroughApplications(GetVersion())) {
    EXPECT_EQ(readValue(HKEY_CLASSES_ROOT, "Applications\\qvtasks-app.exe\\shell\\open\\command", nullptr), command);
    EXPECT_EQ(readValue(HKEY_CLASSES_ROOT, ".qvtasksa", nullptr), "qvtasksa_auto_file");
    EXPECT_EQ(readValue(HKEY_CLASSES_ROOT, "qvtasksa_auto_file", nullptr), "Quarvel task document");
    EXPECT_EQ(readValue(HKEY_CLASSES_ROOT, "qvtasksa_auto_file\\DefaultIcon", nullptr), inst + "qvtasks-app.exe,1");
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, ".qvtasksb"));
  } else {
    EXPECT_EQ(readValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qvtasksa", nullptr), "qvtasks-app.exe");
    EXPECT_EQ(readValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\qvtasks-app.exe\\shell\\open\\command", nullptr),
              command);
    EXPECT_EQ(readValue(HKEY_LOCAL_MACHINE, "Software\\Classes\\qvtasks-app.exe\\DefaultIcon", nullptr),
              inst + "qvtasks-app.exe,1");
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\.qvtasksb"));
  }
}

}  // namespace
