// The running-program guard's system side: a running program found by its file name
// in the process list, in any letter case and with a folder part; a mutex held by
// another program; and a mutex name that replaces the process list.
#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "system/running_guard.h"
#include "win32/helper_program.h"
#include "win32/processes_win32.h"
#include "win32/running_guard_win32.h"

namespace {

using qvtest::helperProgram;
using qvtest::ScratchFolder;

std::string unique(const char* base) { return base + std::to_string(GetCurrentProcessId()); }

// A copy of qvtask under another name, sleeping until stopped.
class RunningCopy {
 public:
  RunningCopy(const ScratchFolder& dir, const std::string& name, const std::string& arguments) {
    path_ = dir / name;
    CopyFileA(helperProgram("qvtask.exe").c_str(), path_.c_str(), FALSE);
    started_ = processes_.startProcess(path_, arguments, dir.path(), qv::kProcessKeep);
  }
  ~RunningCopy() { stop(); }
  bool running() { return processes_.processIsRunning(started_.record); }
  void stop() {
    if (!started_.record) return;
    processes_.stopProcess(started_.record);
    WaitForSingleObject(started_.record->process, 10000);
    processes_.releaseProcess(started_.record);
    started_.record = nullptr;
  }

 private:
  std::string path_;
  qv::Win32Processes processes_;
  qv::StartedProcess started_;
};

TEST(Win32RunningPrograms, AProgramIsFoundByItsFileNameInAnyLetterCase) {
  ScratchFolder dir;
  std::string name = unique("QvGuardProd") + ".exe";
  qv::Win32RunningPrograms programs;
  EXPECT_FALSE(qv::isProgramRunning(programs, name));
  {
    RunningCopy copy(dir, name, "sleep 60000");
    ASSERT_TRUE(copy.running());
    std::vector<std::string> names;
    ASSERT_TRUE(programs.listProcessNames(names));
    EXPECT_GT(names.size(), 1u);
    EXPECT_TRUE(qv::isProgramRunning(programs, "Bin\\" + qv::upperCaseName(name)));
    EXPECT_TRUE(qv::isProgramRunning(programs, "C:/Program Files/Product/" + name));
    std::string lower = name;
    for (char& c : lower) c = char(tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(qv::isProgramRunning(programs, "\"" + lower + "\""));
    EXPECT_FALSE(qv::isProgramRunning(programs, "Bin\\" + unique("QvGuardOther") + ".exe"));
    // The mutex alone decides when there is one, even with the program running.
    EXPECT_FALSE(qv::isProductRunning(programs, unique("QvGuardFreeMutex"), "Bin\\" + name));
    EXPECT_TRUE(qv::isProductRunning(programs, "", "Bin\\" + name));
    copy.stop();
  }
  EXPECT_FALSE(qv::isProgramRunning(programs, name));
}

TEST(Win32RunningPrograms, AMutexHeldByAnotherProgramMeansRunning) {
  ScratchFolder dir;
  std::string mutex = unique("QvGuardMutex");
  qv::Win32RunningPrograms programs;
  EXPECT_FALSE(programs.mutexExists(mutex));
  EXPECT_FALSE(programs.mutexExists(mutex));  // the test's own mutex is closed again
  {
    RunningCopy holder(dir, unique("QvGuardHolder") + ".exe", "mutex " + mutex + " 60000");
    ASSERT_TRUE(qvtest::waitForFile(dir / mutex + ".held", 20000));
    EXPECT_TRUE(programs.mutexExists(mutex));
    EXPECT_TRUE(qv::isProductRunning(programs, mutex, unique("QvGuardNotRunning") + ".exe"));
    holder.stop();
  }
  EXPECT_FALSE(programs.mutexExists(mutex));

  // A name that belongs to an object of another kind cannot be a mutex.
  std::string eventName = unique("QvGuardEvent");
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  ASSERT_NE(event, nullptr);
  EXPECT_FALSE(programs.mutexExists(eventName));
  CloseHandle(event);
}

TEST(Win32RunningPrograms, AMutexThisUserMayNotOpenMeansRunning) {
  // As a product running under another account or elevated holds it: an empty access
  // list lets nobody else open the mutex, and the guard's attempt fails with "access
  // denied", which must count as running, not as free.
  std::string mutex = unique("QvGuardLockedMutex");
  SECURITY_DESCRIPTOR descriptor;
  ACL nobody;
  ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(InitializeAcl(&nobody, sizeof(nobody), ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, &nobody, FALSE));
  SECURITY_ATTRIBUTES attributes = {sizeof(attributes), &descriptor, FALSE};
  HANDLE held = CreateMutexA(&attributes, TRUE, mutex.c_str());
  ASSERT_NE(held, nullptr);
  HANDLE again = CreateMutexA(nullptr, FALSE, mutex.c_str());
  DWORD error = GetLastError();
  if (again) CloseHandle(again);
  ASSERT_EQ(again, nullptr) << "the system let the mutex be opened";
  ASSERT_EQ(error, DWORD(ERROR_ACCESS_DENIED));
  qv::Win32RunningPrograms programs;
  EXPECT_TRUE(programs.mutexExists(mutex));
  CloseHandle(held);
}

}  // namespace
