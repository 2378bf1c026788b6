// Parsing and formatting of key/value text, the UTF-8 conversions and the numbers.
#include "runtime/key_value_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "runtime/key_value_encoding.h"
#include "runtime/key_value_number.h"

namespace {

using qv::KeyValueLine;
using qv::KeyValueLineKind;

// Lines as one comparable text: "[name]", ";text" and "key|value", one per entry.
std::vector<std::string> describe(const std::vector<KeyValueLine>& lines) {
  std::vector<std::string> out;
  for (const KeyValueLine& line : lines) {
    switch (line.kind) {
      case KeyValueLineKind::Group: out.push_back("[" + std::string(line.text) + "]"); break;
      case KeyValueLineKind::Comment: out.push_back(";" + std::string(line.text)); break;
      case KeyValueLineKind::Key:
        out.push_back(std::string(line.text) + "|" + std::string(line.value));
        break;
    }
  }
  return out;
}

std::vector<std::string> parse(const std::string& text) {
  std::vector<KeyValueLine> lines;
  qv::parseKeyValueText(text, lines);
  return describe(lines);
}

using Lines = std::vector<std::string>;

TEST(KeyValueText, ReadsEachKindOfLine) {
  // The rows of the edge-case table, at the level of the parsed lines.
  EXPECT_EQ(parse("Titel = My App"), Lines{"Titel|My App"});
  EXPECT_EQ(parse("Titel=My App"), Lines{"Titel|My App"});
  EXPECT_EQ(parse("  Titel =  My App  "), Lines{"Titel|My App  "});  // read strips the rest
  EXPECT_EQ(parse("\t Key\t \t=\t v"), Lines{"Key|v"});
  EXPECT_EQ(parse("Key = a = b"), Lines{"Key|a = b"});
  EXPECT_EQ(parse("Key = x ; note"), Lines{"Key|x ; note"});
  EXPECT_EQ(parse("Key = \"quoted\""), Lines{"Key|\"quoted\""});
  EXPECT_EQ(parse("My Key = v"), Lines{"My Key|v"});
  EXPECT_EQ(parse("= v"), Lines{"|v"});
  EXPECT_EQ(parse("Key ="), Lines{"Key|"});
  EXPECT_EQ(parse(";x"), Lines{";x"});
  EXPECT_EQ(parse(";  x"), Lines{"; x"});
  EXPECT_EQ(parse(";\tx "), Lines{";\tx "});
  EXPECT_EQ(parse("  ; x = 1"), Lines{";x = 1"});
  EXPECT_EQ(parse(";"), Lines{";"});
  EXPECT_EQ(parse("[Settings] trailing"), Lines{"[Settings]"});
  EXPECT_EQ(parse("[Settings"), Lines{"[Settings]"});
  EXPECT_EQ(parse("[ My Group ]"), Lines{"[ My Group ]"});
  EXPECT_EQ(parse("[A]]"), Lines{"[A]"});
  EXPECT_EQ(parse("[]"), Lines{"[]"});
  EXPECT_EQ(parse("  [G] = 1"), Lines{"[G]"});
}

TEST(KeyValueText, EndsLinesAtCrLfCrLfAndRuns) {
  const Lines expected{"[G]", "a|1", ";c", "b|2"};
  EXPECT_EQ(parse("[G]\r\na=1\r\n;c\r\nb=2\r\n"), expected);
  EXPECT_EQ(parse("[G]\na=1\n;c\nb=2\n"), expected);
  EXPECT_EQ(parse("[G]\ra=1\r;c\rb=2"), expected);
  EXPECT_EQ(parse("\r\n\n[G]\r\r\n\n\ra=1\n\r;c\r\n\r\nb=2"), expected);
  // Empty and blank lines vanish, wherever they are.
  EXPECT_EQ(parse("  \r\n\t\r\n[G]\r\n \t \r\na=1\r\n\r\n;c\r\nb=2\r\n   "), expected);
  EXPECT_EQ(parse(""), Lines{});
  EXPECT_EQ(parse(" \t\r\n\n\r "), Lines{});
}

TEST(KeyValueText, KeyWithoutEqualsHasAnEmptyValueAndNeverTakesTheNextLine) {
  for (const char* end : {"\r\n", "\n", "\r", "\n\n", "\r\r"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(end)));
    const std::string e = end;
    EXPECT_EQ(parse("Flag" + e + "b=2" + e), (Lines{"Flag|", "b|2"}));
    // Neither a group line nor a comment behind it is swallowed.
    EXPECT_EQ(parse("Flag" + e + "[G]" + e + "b=2"), (Lines{"Flag|", "[G]", "b|2"}));
    EXPECT_EQ(parse("Flag \t" + e + "  ; x = y " + e), (Lines{"Flag|", ";x = y "}));
  }
  EXPECT_EQ(parse("Flag"), Lines{"Flag|"});
  EXPECT_EQ(parse("My Flag  "), Lines{"My Flag|"});
}

TEST(KeyValueText, NulBytesEndLinesLikeLineEnds) {
  using namespace std::string_literals;
  EXPECT_EQ(parse("a=1\0b=2\r\n"s), (Lines{"a|1", "b|2"}));
  EXPECT_EQ(parse("[G\0]x\0\0a=1"s), (Lines{"[G]", "]x|", "a|1"}));
  EXPECT_EQ(parse("Flag\0v\0c=3"s), (Lines{"Flag|", "v|", "c|3"}));
  EXPECT_EQ(parse("\0\0\0"s), Lines{});
  EXPECT_EQ(parse("a=\0"s), Lines{"a|"});
}

TEST(KeyValueText, FormatsTheSavedFormByteForByte) {
  std::vector<KeyValueLine> lines{
      {KeyValueLineKind::Key, "Before", "0"},
      {KeyValueLineKind::Group, "Info", ""},
      {KeyValueLineKind::Comment, "note", ""},
      {KeyValueLineKind::Comment, " two", ""},
      {KeyValueLineKind::Key, "Titel", "My App"},
      {KeyValueLineKind::Key, "Empty", ""},
      {KeyValueLineKind::Key, "", "v"},
      {KeyValueLineKind::Group, " Spaced ", ""},
  };
  const std::string body =
      "Before = 0\r\n[Info]\r\n; note\r\n;  two\r\nTitel = My App\r\nEmpty = \r\n = v\r\n[ Spaced ]\r\n";
  EXPECT_EQ(qv::formatKeyValueText(lines, false), body);
  EXPECT_EQ(qv::formatKeyValueText(lines, true), "\xEF\xBB\xBF\r\n" + body);
  EXPECT_EQ(qv::formatKeyValueText({}, false), "");
  EXPECT_EQ(qv::formatKeyValueText({}, true), "\xEF\xBB\xBF\r\n");
}

TEST(KeyValueText, SavedFormParsesBackToTheSameLines) {
  const std::string text =
      "  lead = 1\n[Info] x\n;c\n;   spaced\nTitel=  My App  \n\n=v\nFlag\r\nOther\n  taken\n[Open";
  std::vector<KeyValueLine> first;
  qv::parseKeyValueText(text, first);
  std::string saved = qv::formatKeyValueText(first, false);
  EXPECT_EQ(saved,
            "lead = 1\r\n[Info]\r\n; c\r\n;   spaced\r\nTitel = My App  \r\n = v\r\nFlag = \r\n"
            "Other = \r\ntaken = \r\n[Open]\r\n");
  std::vector<KeyValueLine> second;
  qv::parseKeyValueText(saved, second);
  EXPECT_EQ(describe(second), describe(first));
}

TEST(KeyValueText, AnAnsiTextNeverSavesAsIfItWereUtf8) {
  // A first line that begins with the mark bytes (here after an empty line, so the file
  // was read as ANSI) keeps an empty line before it when saved.
  std::string_view text = "\n\xEF\xBB\xBF[Settings]\nA=1";
  EXPECT_FALSE(qv::removeByteOrderMark(text));
  std::vector<KeyValueLine> lines;
  qv::parseKeyValueText(text, lines);
  std::string saved = qv::formatKeyValueText(lines, false);
  EXPECT_EQ(saved, "\r\n\xEF\xBB\xBF[Settings] = \r\nA = 1\r\n");
  std::string_view again = saved;
  EXPECT_FALSE(qv::removeByteOrderMark(again));
  std::vector<KeyValueLine> reread;
  qv::parseKeyValueText(again, reread);
  EXPECT_EQ(describe(reread), describe(lines));
  // A UTF-8 text keeps its mark and the line break after it.
  std::string_view marked = "\xEF\xBB\xBF[G]";
  EXPECT_TRUE(qv::removeByteOrderMark(marked));
  EXPECT_EQ(marked, "[G]");
}

TEST(KeyValueEncoding, ConvertsSingleBytesToUtf8AndBack) {
  EXPECT_EQ(qv::convertBytesToUtf8("Caf\xE9 \x80\xFF!"), "Caf\xC3\xA9 \xC2\x80\xC3\xBF!");
  EXPECT_EQ(qv::convertBytesToUtf8(""), "");
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(char(b));
  std::string utf8 = qv::convertBytesToUtf8(all);
  EXPECT_EQ(utf8.size(), 128u + 2 * 128u);
  std::string back = "junk";
  ASSERT_TRUE(qv::convertUtf8ToBytes(utf8, back));
  EXPECT_EQ(back, all);
}

TEST(KeyValueEncoding, CharactersAbove255AndMalformedTextReadAsEmpty) {
  const char* const unreadable[] = {
      "\xE2\x82\xAC",      // a character above 255
      "a\xC4\x80z",        // U+0100, the first one above
      "\xF0\x9F\x98\x80",  // four bytes
      "\xC3",              // lead without its continuation
      "\xC3(",             // lead followed by no continuation
      "\xA9",              // continuation without a lead
      "\xC0\x80",          // overlong forms
      "\xC1\xBF",
      "\xE0\x80\xA9",
      "\xFF",
  };
  for (const char* text : unreadable) {
    std::string bytes = "junk";
    EXPECT_FALSE(qv::convertUtf8ToBytes(text, bytes)) << text;
    EXPECT_EQ(bytes, "") << text;
  }
  std::string bytes;
  EXPECT_TRUE(qv::convertUtf8ToBytes("plain", bytes));
  EXPECT_EQ(bytes, "plain");
  EXPECT_TRUE(qv::convertUtf8ToBytes("", bytes));
  EXPECT_EQ(bytes, "");
}

TEST(KeyValueNumber, ReadsLikeAtoiWithoutOverflow) {
  struct Case {
    const char* text;
    int number;
  };
  const Case cases[] = {
      {"12abc", 12},       {"-5", -5},          {"abc", 0},           {"", 0},
      {"+7", 7},           {" \t\r\n\v\f9", 9}, {"0x1A", 0},          {"- 5", 0},
      {"--5", 0},          {"+-5", 0},          {"007", 7},           {"12 34", 12},
      {"2147483647", INT_MAX},                  {"2147483648", INT_MAX},
      {"-2147483648", INT_MIN},                 {"-2147483649", INT_MIN},
      {"99999999999999999999999", INT_MAX},     {"-99999999999999999999999", INT_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(qv::parseKeyValueInteger(c.text), c.number) << c.text;
}

}  // namespace
