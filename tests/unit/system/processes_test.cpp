// The portable parts of starting programs: the command line, the shell's folder and
// the list of kept records.
#include <gtest/gtest.h>

#include "system/processes.h"

namespace {

TEST(Processes, TheCommandLineQuotesTheFileUnlessItIsQuotedAlready) {
  EXPECT_EQ(qv::processCommandLine("C:\\Temp\\{G}\\pre.exe", ""), "\"C:\\Temp\\{G}\\pre.exe\"");
  EXPECT_EQ(qv::processCommandLine("C:\\My Tools\\pre.exe", "/x \"a b\""), "\"C:\\My Tools\\pre.exe\" /x \"a b\"");
  EXPECT_EQ(qv::processCommandLine("\"C:\\a.exe\" -q", "-v"), "\"C:\\a.exe\" -q -v");
  EXPECT_EQ(qv::processCommandLine("\"C:\\a.exe", ""), "\"C:\\a.exe");  // taken as it is
  EXPECT_EQ(qv::processCommandLine("a.exe", " "), "\"a.exe\"  ");       // a blank is a parameter
  EXPECT_EQ(qv::processCommandLine("", ""), "\"\"");
}

TEST(Processes, TheShellStartsInTheWorkingFolderElseInTheFilesFolder) {
  EXPECT_EQ(qv::shellDirectory("C:\\Docs\\read.txt", "D:\\Work\\"), "D:\\Work\\");
  EXPECT_EQ(qv::shellDirectory("C:\\Docs\\read.txt", ""), "C:\\Docs\\");
  EXPECT_EQ(qv::shellDirectory("C:\\Docs\\Sub\\read.txt", ""), "C:\\Docs\\Sub\\");
  EXPECT_EQ(qv::shellDirectory("\\read.txt", ""), "");  // a backslash first is no folder part
  EXPECT_EQ(qv::shellDirectory("read.txt", ""), "");
  EXPECT_EQ(qv::shellDirectory("C:/Docs/read.txt", ""), "");  // only backslashes separate
}

TEST(Processes, KeptRecordsAreLiveUntilReleased) {
  qv::ProcessRecordList list;
  qv::ProcessRecord* first = list.keep(std::unique_ptr<qv::ProcessRecord>(new qv::ProcessRecord{nullptr, 11}));
  qv::ProcessRecord* second = list.keep(std::unique_ptr<qv::ProcessRecord>(new qv::ProcessRecord{nullptr, -1}));
  qv::ProcessRecord stranger;
  EXPECT_TRUE(list.contains(first));
  EXPECT_TRUE(list.contains(second));
  EXPECT_FALSE(list.contains(&stranger));
  EXPECT_FALSE(list.contains(nullptr));
  EXPECT_EQ(list.size(), 2u);

  std::unique_ptr<qv::ProcessRecord> taken = list.take(first);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->processId, 11);
  EXPECT_FALSE(list.contains(first));
  EXPECT_FALSE(list.take(first));  // released twice: nothing the second time
  EXPECT_FALSE(list.take(&stranger));
  EXPECT_TRUE(list.contains(second));

  auto all = list.takeAll();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0]->processId, -1);
  EXPECT_EQ(list.size(), 0u);
  EXPECT_FALSE(list.contains(second));
}

}  // namespace
