// The driver's script syntax: how lines become steps, and which lines are refused.
#include "script.h"

#include <gtest/gtest.h>

namespace {

std::vector<qv::ScriptStep> parseOk(const std::string& text) {
  std::vector<qv::ScriptStep> steps;
  std::string error;
  EXPECT_TRUE(qv::parseScript(text, steps, error)) << error;
  return steps;
}

std::string parseError(const std::string& text) {
  std::vector<qv::ScriptStep> steps;
  std::string error;
  EXPECT_FALSE(qv::parseScript(text, steps, error)) << text;
  EXPECT_TRUE(steps.empty());
  return error;
}

TEST(DriverScript, SkipsCommentsAndBlankLinesAndKeepsLineNumbers) {
  auto steps = parseOk("# a comment\r\n\r\n  start prog.exe a b\r\n   # indented comment\n\tclose\nsleep 5");
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[0].name, "start");
  EXPECT_EQ(steps[0].args, std::vector<std::string>{"prog.exe a b"});
  EXPECT_EQ(steps[0].source, "  start prog.exe a b");
  EXPECT_EQ(steps[1].line, 5);
  EXPECT_TRUE(steps[1].args.empty());
  EXPECT_EQ(steps[2].line, 6);
  EXPECT_EQ(steps[2].args, std::vector<std::string>{"5"});
}

TEST(DriverScript, TextsAreQuotedOrTheRestOfTheLine) {
  auto steps = parseOk(
      "window \" Quarvel\"\n"
      "window Setup  of   things   \n"
      "expect-text 65535 \"damaged or missing.   \"\n"
      "expect-text 0x10 \"say \\\"hi\\\"\\nnext\\tline \\\\ C:\\Program\"\n"
      "expect-text 3 # not a comment here\n"
      "type 62\n"
      "type 62 \"\"\n"
      "expect-items 21 \" german| english\"\n");
  ASSERT_EQ(steps.size(), 8u);
  EXPECT_EQ(steps[0].args[0], " Quarvel");
  EXPECT_EQ(steps[1].args[0], "Setup  of   things");
  EXPECT_EQ(steps[2].args[1], "damaged or missing.   ");
  EXPECT_EQ(steps[3].args[0], "0x10");
  EXPECT_EQ(steps[3].args[1], "say \"hi\"\nnext\tline \\ C:\\Program");
  EXPECT_EQ(steps[4].args[1], "# not a comment here");
  EXPECT_EQ(steps[5].args, (std::vector<std::string>{"62", ""}));
  EXPECT_EQ(steps[6].args, (std::vector<std::string>{"62", ""}));
  EXPECT_EQ(qv::splitItems(steps[7].args[1]), (std::vector<std::string>{" german", " english"}));
}

TEST(DriverScript, NoWindowTakesTheCaptionBeforeTheTime) {
  auto steps = parseOk("expect-no-window \" Quarvel  -  Error\" 3000\nexpect-no-window Setup error 250\n");
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].args, (std::vector<std::string>{" Quarvel  -  Error", "3000"}));
  EXPECT_EQ(steps[1].args, (std::vector<std::string>{"Setup error", "250"}));
  parseError("expect-no-window \" Quarvel\"\n");
  parseError("expect-no-window Quarvel\n");
  parseError("expect-no-window \" Quarvel\" soon\n");
}

TEST(DriverScript, OptionalExitCode) {
  auto steps = parseOk("wait-exit\nwait-exit 0\nwait-exit -1\n");
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_TRUE(steps[0].args.empty());
  EXPECT_EQ(steps[1].args, std::vector<std::string>{"0"});
  EXPECT_EQ(steps[2].args, std::vector<std::string>{"-1"});
}

TEST(DriverScript, RefusesMalformedLinesNamingTheLine) {
  EXPECT_NE(parseError("close\nclick-twice 4\n").find("line 2"), std::string::npos);
  EXPECT_NE(parseError("click\n").find("missing"), std::string::npos);
  EXPECT_NE(parseError("click abc\n").find("not a number"), std::string::npos);
  EXPECT_NE(parseError("click 4 5\n").find("unexpected"), std::string::npos);
  EXPECT_NE(parseError("expect-checked 22 2\n").find("neither 0 nor 1"), std::string::npos);
  EXPECT_NE(parseError("window \" Quarvel\n").find("unterminated"), std::string::npos);
  EXPECT_NE(parseError("window \" Quarvel\" extra\n").find("unexpected"), std::string::npos);
  parseError("window\n");
  parseError("window \"\"\n");
  parseError("start\n");
  parseError("select 21\n");
  parseError("close now\n");
  parseError("key\n");
  parseError("wait-exit 1 2\n");
  parseError("sleep 1x\n");
}

TEST(DriverScript, NumbersAndItemLists) {
  struct Case {
    const char* text;
    bool ok;
    long value;
  } cases[] = {
      {"0", true, 0},       {"65535", true, 65535}, {"0xFFFF", true, 65535}, {"-7", true, -7},
      {"", false, 0},       {"-", false, 0},        {"0x", false, 0},        {"12a", false, 0},
      {"+3", false, 0},     {" 3", false, 0},       {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    long value = -12345;
    EXPECT_EQ(qv::parseNumber(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }

  EXPECT_TRUE(qv::splitItems("").empty());
  EXPECT_EQ(qv::splitItems("a"), std::vector<std::string>{"a"});
  EXPECT_EQ(qv::splitItems(" a||b|"), (std::vector<std::string>{" a", "", "b", ""}));
  EXPECT_EQ(qv::joinItems(qv::splitItems(" a||b|")), " a||b|");
  EXPECT_EQ(qv::joinItems({}), "");
  EXPECT_EQ(qv::quoteText(" a\"b\\c\nd\x01"), "\" a\\\"b\\\\c\\nd\\x01\"");
}

}  // namespace
