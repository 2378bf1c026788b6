// The running-program guard: the upper-casing and file-part rules, the process list
// and the mutex, and the warning box with its answer.
#include <gtest/gtest.h>

#include "runtime/paths.h"
#include "system/running_guard.h"
#include "unit/system/fake_run_services.h"

namespace {

using qvtest::FakeRunningPrograms;

TEST(RunningGuard, UpperCasingTouchesOnlyAsciiLettersAndTheUpperCodePageHalf) {
  EXPECT_EQ(qv::upperCaseName("tool-1.exe"), "TOOL-1.EXE");
  EXPECT_EQ(qv::upperCaseName("ABC{}[]`~@"), "ABC{}[]`~@");  // next to the letters: unchanged
  EXPECT_EQ(qv::upperCaseName("\xE0\xE9\xFF"), "\xC0\xC9\xDF");
  EXPECT_EQ(qv::upperCaseName("\xDF\xC0\xD7\x9A"), "\xDF\xC0\xD7\x9A");  // below 0xE0: unchanged
  EXPECT_EQ(qv::upperCaseName(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(RunningGuard, TheFilePartFollowsTheLastSeparatorWithoutQuotes) {
  EXPECT_EQ(qv::programFileName("Bin\\Tool.exe"), "Tool.exe");
  EXPECT_EQ(qv::programFileName("Bin/Sub\\Tool.exe"), "Tool.exe");
  EXPECT_EQ(qv::programFileName("Bin\\Sub/Tool.exe"), "Tool.exe");
  EXPECT_EQ(qv::programFileName("Tool.exe"), "Tool.exe");
  EXPECT_EQ(qv::programFileName("\"Tool.exe\""), "Tool.exe");
  EXPECT_EQ(qv::programFileName("\"C:\\Program Files\\Tool.exe\" -x"), "Tool.exe");
  EXPECT_EQ(qv::programFileName("C:\\\"Tool.exe"), "Tool.exe");
  EXPECT_EQ(qv::programFileName("Tool\"x.exe"), "Tool");
  EXPECT_EQ(qv::programFileName("Bin\\"), "");
  EXPECT_EQ(qv::programFileName(""), "");
}

TEST(RunningGuard, AProcessIsFoundByItsFileNameInAnyLetterCase) {
  FakeRunningPrograms programs;
  programs.processes = {"System", "explorer.exe", "TOOL.EXE", "tool.exe"};
  EXPECT_TRUE(qv::isProgramRunning(programs, "Bin\\Tool.exe"));
  EXPECT_TRUE(qv::isProgramRunning(programs, "EXPLORER.exe"));
  EXPECT_FALSE(qv::isProgramRunning(programs, "Tool"));       // the whole name, extension included
  EXPECT_FALSE(qv::isProgramRunning(programs, "ool.exe"));
  EXPECT_FALSE(qv::isProgramRunning(programs, "Tool.exe\\"));  // a folder names no program
  EXPECT_FALSE(qv::isProgramRunning(programs, ""));
  programs.listable = false;  // no process list: not running
  EXPECT_FALSE(qv::isProgramRunning(programs, "tool.exe"));
}

TEST(RunningGuard, WithoutAProgramNameNoProcessCountsAsTheProduct) {
  // The list may show a process that is still starting without its name, such as a
  // second setup started at the same moment.
  FakeRunningPrograms programs;
  programs.processes = {"System", "", "setup.exe"};
  EXPECT_FALSE(qv::isProductRunning(programs, "", ""));
  EXPECT_FALSE(qv::isProductRunning(programs, "", "Bin\\"));
  EXPECT_FALSE(qv::isProductRunning(programs, "", "\"\""));
  EXPECT_EQ(programs.listings, 0);
  EXPECT_TRUE(qv::isProductRunning(programs, "", "SETUP.exe"));
}

TEST(RunningGuard, AMutexNameReplacesTheProcessList) {
  FakeRunningPrograms programs;
  programs.processes = {"tool.exe"};
  programs.heldMutexes = {"ToolMutex"};
  EXPECT_TRUE(qv::isProductRunning(programs, "ToolMutex", "other.exe"));
  EXPECT_FALSE(qv::isProductRunning(programs, "FreeMutex", "tool.exe"));  // the running program is not looked at
  EXPECT_EQ(programs.listings, 0);
  EXPECT_TRUE(qv::isProductRunning(programs, "", "Bin\\tool.exe"));
  EXPECT_EQ(programs.listings, 1);
  EXPECT_EQ(programs.mutexTests, (std::vector<std::string>{"ToolMutex", "FreeMutex"}));
}

TEST(RunningGuard, TheWarningNamesTheProductAndTheAnswerDecides) {
  qv::InterfaceTexts texts;
  texts.loadInterfaceTexts("", "My Tool", "1.0");
  EXPECT_EQ(qv::runningProgramWarning(texts, "My Tool"), "Close Program 'My Tool' first!\nThen press OK!");
  {
    SCOPED_TRACE("running, OK: on");
    FakeRunningPrograms programs;
    programs.processes = {"tool.exe", "TOOL.exe"};  // two copies: one warning
    bool running = false;
    EXPECT_TRUE(qv::guardRunningProduct(programs, texts, "", "tool.exe", "My Tool", running));
    EXPECT_TRUE(running);
    EXPECT_EQ(programs.boxes,
              std::vector<std::string>{"Quarvel - Warning|Close Program 'My Tool' first!\nThen press OK!"});
  }
  {
    SCOPED_TRACE("running, Cancel: the run ends");
    FakeRunningPrograms programs;
    programs.heldMutexes = {"M"};
    programs.answerOk = false;
    bool running = false;
    EXPECT_FALSE(qv::guardRunningProduct(programs, texts, "M", "tool.exe", "My Tool", running));
    EXPECT_TRUE(running);
  }
  {
    SCOPED_TRACE("not running: no box");
    FakeRunningPrograms programs;
    programs.answerOk = false;
    bool running = true;
    EXPECT_TRUE(qv::guardRunningProduct(programs, texts, "", "tool.exe", "My Tool", running));
    EXPECT_FALSE(running);
    EXPECT_TRUE(programs.boxes.empty());
  }
}

}  // namespace
