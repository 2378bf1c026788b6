// Task lines: fields by number, and the number forms read from them.
#include "install/user_tasks_line.h"

#include <gtest/gtest.h>

#include "install/user_tasks_records.h"
#include "runtime/paths.h"

namespace {

using qv::parseTaskNumber;
using qv::TaskLine;

TEST(TaskLine, FieldsAreNumberedFromOneAndMissingOnesAreEmpty) {
  TaskLine line("5|a b| |d||");
  EXPECT_EQ(line.field(0), "");
  EXPECT_EQ(line.field(1), "5");
  EXPECT_EQ(line.field(2), "a b");
  EXPECT_EQ(line.field(3), " ");  // blanks inside a field are kept
  EXPECT_EQ(line.field(4), "d");
  EXPECT_EQ(line.field(5), "");
  EXPECT_EQ(line.field(6), "");
  EXPECT_EQ(line.field(7), "");
  EXPECT_EQ(line.field(100), "");
  EXPECT_EQ(TaskLine("").field(1), "");
  EXPECT_EQ(TaskLine("9").field(2), "");
}

TEST(TaskLine, NumbersTakeSignAfterBlanksAndTabsAndStopAtOtherBytes) {
  EXPECT_EQ(parseTaskNumber(""), 0u);
  EXPECT_EQ(parseTaskNumber("abc"), 0u);
  EXPECT_EQ(parseTaskNumber("12abc"), 12u);
  EXPECT_EQ(parseTaskNumber(" \t 7"), 7u);
  EXPECT_EQ(parseTaskNumber("+8"), 8u);
  EXPECT_EQ(parseTaskNumber("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(parseTaskNumber("- 1"), 0u);     // the sign must touch the digits
  EXPECT_EQ(parseTaskNumber("\n5"), 0u);     // only blanks and tabs lead
  EXPECT_EQ(parseTaskNumber("1 2"), 1u);
  EXPECT_EQ(parseTaskNumber("2147483650"), 2147483650u);
  EXPECT_EQ(parseTaskNumber("4294967297"), 1u);  // modulo 2^32
  EXPECT_EQ(parseTaskNumber("99999999999999999999999"), parseTaskNumber("99999999999999999999999"));
}

TEST(TaskLine, IconIndexesAndFlagsAreSignedBytes) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {{"0", 0},     {"-1", -1},  {"127", 127}, {"128", -128}, {"255", -1},
               {"256", 0},   {"257", 1},  {"-129", 127}, {"x", 0},     {"", 0}};
  for (const Case& c : cases) {
    TaskLine line(std::string("0|n|t|") + c.text);
    EXPECT_EQ(line.byteField(4), c.expected) << c.text;
  }
}

TEST(TaskLine, KindAndRootForms) {
  EXPECT_EQ(TaskLine(" 10|x").kind(), 10);
  EXPECT_EQ(TaskLine("-3|x").kind(), -3);
  EXPECT_EQ(TaskLine("|x").kind(), 0);  // an empty kind reads as 0: a desktop link
  EXPECT_EQ(TaskLine("6|2147483648").unsignedField(2), 0x80000000u);
  EXPECT_EQ(TaskLine("6|-2147483646").unsignedField(2), 0x80000002u);
  EXPECT_EQ(TaskLine("6|2147483650").integerField(2), int32_t(0x80000002u));
}

TEST(TaskLine, TaskCountIsSignedSixteenBits) {
  EXPECT_EQ(qv::taskCountOf(0), 0);
  EXPECT_EQ(qv::taskCountOf(19), 19);
  EXPECT_EQ(qv::taskCountOf(32767), 32767);
  EXPECT_EQ(qv::taskCountOf(32768), -32768);
  EXPECT_EQ(qv::taskCountOf(65535), -1);
  EXPECT_EQ(qv::taskCountOf(65537), 1);
  EXPECT_EQ(qv::taskCountOf(-1), -1);
}

TEST(UndoRecords, KindThenEveryFieldAfterABar) {
  EXPECT_EQ(qv::formatUndoRecord(1, {"C:\\Menu\\Tools\\Readme.lnk"}), "1|C:\\Menu\\Tools\\Readme.lnk");
  EXPECT_EQ(qv::formatUndoRecord(6, {qv::formatRegistryRoot(0x80000002u), "Software\\Q", "Dir"}),
            "6|2147483650|Software\\Q|Dir");
  EXPECT_EQ(qv::formatUndoRecord(6, {qv::formatRegistryRoot(0x80000000u), "K", ""}), "6|2147483648|K|");
  EXPECT_EQ(qv::formatUndoRecord(10, {"txt", "viewer.exe"}), "10|txt|viewer.exe");
  EXPECT_EQ(qv::formatUndoRecord(5, {""}), "5|");
}

TEST(UndoRecords, ProgramFileNames) {
  EXPECT_EQ(qv::programFileName("hello.exe"), "hello.exe");
  EXPECT_EQ(qv::programFileName("bin\\viewer.exe"), "viewer.exe");
  EXPECT_EQ(qv::programFileName("bin/tools/viewer.exe"), "viewer.exe");
  EXPECT_EQ(qv::programFileName("\"C:\\Apps\\Viewer.exe\" %1"), "Viewer.exe");
  EXPECT_EQ(qv::programFileName("\"Viewer.exe\""), "Viewer.exe");
  EXPECT_EQ(qv::programFileName("bin\\"), "");
}

}  // namespace
