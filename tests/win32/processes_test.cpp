// Starting programs through the real system: waiting, keeping, exit codes, the
// running test, stopping and releasing, and the shell as fallback for a document.
#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "win32/helper_program.h"
#include "win32/processes_win32.h"

namespace {

using qvtest::helperProgram;
using qvtest::readText;
using qvtest::ScratchFolder;

TEST(Win32Processes, WaitAndKeepGiveTheExitCodeUntilTheRecordIsReleased) {
  ScratchFolder dir;
  std::string task = helperProgram("qvtask.exe");
  ASSERT_TRUE(qv::fileExists(task)) << task;
  qv::Win32Processes processes;

  qv::StartedProcess kept = processes.startProcess(task, "exit 7 \"" + dir / "kept.txt\"", dir.path(),
                                                   qv::kProcessWait | qv::kProcessKeep);
  ASSERT_TRUE(kept.started);
  ASSERT_NE(kept.record, nullptr);
  EXPECT_GT(kept.record->processId, 0);
  EXPECT_TRUE(qv::fileExists(dir / "kept.txt"));  // it had ended when the call returned
  EXPECT_EQ(processes.processExitCode(kept.record), 7u);
  EXPECT_FALSE(processes.processIsRunning(kept.record));
  // The working folder, and the file quoted on the command line.
  std::string marker = readText(dir / "kept.txt");
  std::string folder = dir.path().substr(0, dir.path().size() - 1);
  EXPECT_NE(marker.find("folder=" + folder + "\n"), std::string::npos) << marker;
  EXPECT_NE(marker.find("line=\"" + task + "\" exit 7 "), std::string::npos) << marker;

  processes.releaseProcess(kept.record);
  EXPECT_EQ(processes.processExitCode(kept.record), 0u);  // a released record is left alone
  processes.releaseProcess(kept.record);                  // twice: nothing happens

  qv::StartedProcess waited =
      processes.startProcess(task, "exit 3 \"" + dir / "waited.txt\"", "", qv::kProcessWait);
  EXPECT_TRUE(waited.started);
  EXPECT_EQ(waited.record, nullptr);  // not kept: started, nothing to hold
  EXPECT_TRUE(qv::fileExists(dir / "waited.txt"));
}

TEST(Win32Processes, AKeptProgramRunsUntilStoppedWithExitCodeAllOnes) {
  std::string task = helperProgram("qvtask.exe");
  qv::Win32Processes processes;
  qv::StartedProcess first = processes.startProcess(task, "sleep 60000", "", qv::kProcessKeep);
  qv::StartedProcess second = processes.startProcess(task, "sleep 60000", "", qv::kProcessKeep);
  ASSERT_NE(first.record, nullptr);
  ASSERT_NE(second.record, nullptr);
  EXPECT_TRUE(processes.processIsRunning(first.record));
  EXPECT_EQ(processes.processExitCode(first.record), uint32_t(STILL_ACTIVE));

  processes.stopProcess(first.record);
  WaitForSingleObject(first.record->process, 10000);
  EXPECT_FALSE(processes.processIsRunning(first.record));
  EXPECT_EQ(processes.processExitCode(first.record), 0xFFFFFFFFu);
  EXPECT_TRUE(processes.processIsRunning(second.record));

  processes.stopProcess(second.record);
  processes.releaseAllProcesses();
  EXPECT_FALSE(processes.processIsRunning(first.record));  // a released record is left alone
  EXPECT_EQ(processes.processExitCode(second.record), 0u);
}

TEST(Win32Processes, AMissingProgramIsNotStarted) {
  ScratchFolder dir;
  qv::Win32Processes processes;
  qv::StartedProcess none = processes.startProcess(dir / "missing.exe", "", "", qv::kProcessWait | qv::kProcessKeep);
  EXPECT_FALSE(none.started);
  EXPECT_EQ(none.record, nullptr);
}

// A document type of this test's own, opened by qvtask.
class DocumentType {
 public:
  explicit DocumentType(const std::string& program) {
    extension_ = ".qvt" + std::to_string(GetCurrentProcessId());
    progId_ = "QuarvelTest.Document" + std::to_string(GetCurrentProcessId());
    setValue(extension_, progId_);
    setValue(progId_ + "\\shell\\open\\command", "\"" + program + "\" open 9 \"%1\"");
  }
  ~DocumentType() {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (progId_ + "\\shell\\open\\command").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (progId_ + "\\shell\\open").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (progId_ + "\\shell").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (progId_).c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (extension_).c_str());
  }
  const std::string& extension() const { return extension_; }

 private:
  static void setValue(const std::string& key, const std::string& value) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != 0) return;
    RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
    RegCloseKey(h);
  }
  std::string extension_, progId_;
};

TEST(Win32Processes, ADocumentGoesToTheShellWhichStartsItsProgramInTheDocumentsFolder) {
  ScratchFolder dir;
  DocumentType type(helperProgram("qvtask.exe"));
  ASSERT_TRUE(qv::createFolder(dir / "docs"));
  std::string document = dir / "docs\\notes" + type.extension();
  ASSERT_TRUE(qv::writeWholeFile(document, "not a program", 13));
  qv::Win32Processes processes;
  qv::StartedProcess opened = processes.startProcess(document, "", "", qv::kProcessWait | qv::kProcessKeep);
  ASSERT_TRUE(opened.started);
  ASSERT_NE(opened.record, nullptr);
  EXPECT_EQ(opened.record->processId, -1);
  EXPECT_EQ(processes.processExitCode(opened.record), 9u);
  ASSERT_TRUE(qv::fileExists(document + ".opened"));
  // No working folder given: the shell starts it in the document's folder.
  std::string folder = dir / "docs";
  EXPECT_EQ(readText(document + ".opened"), "opened in " + folder);
  processes.releaseProcess(opened.record);
}

}  // namespace
