// The command-line scan: switches, values, quoting, the end of the scan, and the
// program name in front of it all.
#include <gtest/gtest.h>

#include "run/command_line.h"

namespace {

qv::RunContext scan(const std::string& arguments) {
  qv::RunContext context;
  qv::scanCommandLine(arguments, context);
  return context;
}

TEST(CommandLine, DefaultsWithoutSwitches) {
  qv::RunContext c = scan("");
  EXPECT_FALSE(c.quiet);
  EXPECT_EQ(c.installFolderOverride, "");
  EXPECT_EQ(c.startMenuOverride, "");
  EXPECT_EQ(c.taskSelector, 1);
  c = scan("other /X:1 Q -Q");
  EXPECT_FALSE(c.quiet);
  EXPECT_EQ(c.taskSelector, 1);
}

TEST(CommandLine, QuietByItsFirstTwoCharacters) {
  EXPECT_TRUE(scan("/Q").quiet);
  EXPECT_TRUE(scan("/q").quiet);
  EXPECT_TRUE(scan("/Quiet").quiet);
  EXPECT_TRUE(scan("/qanything").quiet);
  EXPECT_FALSE(scan("-Q").quiet);
  EXPECT_FALSE(scan("Q/").quiet);
  EXPECT_FALSE(scan("/").quiet);
}

TEST(CommandLine, ValueBeginsAtTheFourthCharacter) {
  EXPECT_EQ(scan("/P=D:\\Tools").installFolderOverride, "D:\\Tools");
  EXPECT_EQ(scan("/P:D:\\Tools").installFolderOverride, "D:\\Tools");
  EXPECT_EQ(scan("/PD:\\Tools").installFolderOverride, ":\\Tools");  // the third is dropped unchecked
  EXPECT_EQ(scan("/p:lower").installFolderOverride, "lower");
  EXPECT_EQ(scan("/P:").installFolderOverride, "");
  EXPECT_EQ(scan("/P").installFolderOverride, "");
  EXPECT_EQ(scan("/S:Quarvel Apps").startMenuOverride, "Quarvel");  // unquoted: ends at the blank
  EXPECT_EQ(scan("\"/S:Quarvel Apps\"").startMenuOverride, "Quarvel Apps");
  EXPECT_EQ(scan("\"/P:C:\\Program Files\\My App\" /Q").installFolderOverride, "C:\\Program Files\\My App");
  EXPECT_TRUE(scan("\"/P:C:\\Program Files\\My App\" /Q").quiet);
  // A quote inside a parameter starts nothing.
  EXPECT_EQ(scan("/P:\"C:\\a b\"").installFolderOverride, "\"C:\\a");
}

TEST(CommandLine, TaskSelectorIsASigned8BitNumber) {
  struct Case {
    const char* arguments;
    int selector;
  };
  const Case cases[] = {
      {"/R:1", 1},    {"/R:2", 2},   {"/R:3", 3},       {"/R", 0},         {"/R:", 0},    {"/R:x", 0},
      {"/R:-1", -1},  {"/R:+3", 3},  {"\"/R: \t 2\"", 2},   {"/R:12abc", 12},  {"/R:127", 127}, {"/R:128", -128},
      {"/R:255", -1}, {"/R:256", 0}, {"/R:258", 2},     {"/R:-129", 127},  {"/r=3", 3},   {"/R:- 3", 0},
      {"/R:4294967298", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(scan(c.arguments).taskSelector, c.selector) << c.arguments;
  EXPECT_EQ(qv::parseTaskSelector("  42"), 42);
}

TEST(CommandLine, LaterSwitchesOverrideAndTheScanEndsAtAnEmptyParameter) {
  qv::RunContext c = scan("/P:first /S:one /R:2 /P:second /R:3");
  EXPECT_EQ(c.installFolderOverride, "second");
  EXPECT_EQ(c.startMenuOverride, "one");
  EXPECT_EQ(c.taskSelector, 3);

  c = scan("/P:before \"\" /Q /P:after");
  EXPECT_EQ(c.installFolderOverride, "before");
  EXPECT_FALSE(c.quiet);

  c = scan("   /Q    /R:2   ");  // runs of blanks only separate
  EXPECT_TRUE(c.quiet);
  EXPECT_EQ(c.taskSelector, 2);
  c = scan("\t/Q\t/P:tab");
  EXPECT_EQ(c.installFolderOverride, "tab");

  c = scan("\"/P:unterminated value");  // runs to the end
  EXPECT_EQ(c.installFolderOverride, "unterminated value");
  c = scan("\"/P:x\"/Q");  // the next parameter begins right after the closing quote
  EXPECT_EQ(c.installFolderOverride, "x");
  EXPECT_TRUE(c.quiet);
}

TEST(CommandLine, ProgramNameIsSkipped) {
  EXPECT_EQ(qv::skipProgramName("setup.exe /Q /P:x"), "/Q /P:x");
  EXPECT_EQ(qv::skipProgramName("\"C:\\Program Files\\setup.exe\" /Q"), "/Q");
  EXPECT_EQ(qv::skipProgramName("\"C:\\My Setup\\setup.exe\"/Q"), "/Q");
  EXPECT_EQ(qv::skipProgramName("C:\\dl\\setup.exe"), "");
  EXPECT_EQ(qv::skipProgramName("\"C:\\dl\\setup.exe\""), "");
  EXPECT_EQ(qv::skipProgramName("\"unterminated /Q"), "");
  EXPECT_EQ(qv::skipProgramName("  setup.exe\t\t\"/S:A B\""), "\"/S:A B\"");
  EXPECT_EQ(qv::skipProgramName(""), "");

  qv::RunContext c;
  qv::scanCommandLine(qv::skipProgramName("\"C:\\Q dir\\setup.exe\" \"/P:C:\\Pro gram\""), c);
  EXPECT_EQ(c.installFolderOverride, "C:\\Pro gram");
  EXPECT_FALSE(c.quiet);
}

}  // namespace
