// The Windows-1252 code page against UTF-8, byte by byte and for whole names.
#include "runtime/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qv::convertUtf8ToWindows1252;
using qv::convertWindows1252ToUtf8;

bool isUnassigned(unsigned b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }

TEST(Windows1252, HighControlRangeHasTheCodePagesCharacters) {
  // 0x80 to 0x9F as the code page's table assigns them; "" where it leaves a gap.
  const char* const expected[32] = {
      "€", "", "‚", "ƒ", "„", "…", "†", "‡", "ˆ", "‰", "Š", "‹", "Œ", "", "Ž", "",
      "", "‘", "’", "“", "”", "•", "–", "—", "˜", "™", "š", "›", "œ", "", "ž", "Ÿ",
  };
  for (unsigned b = 0x80; b < 0xA0; ++b) {
    SCOPED_TRACE(b);
    std::string utf8, back;
    bool whole = convertWindows1252ToUtf8(std::string(1, char(b)), utf8);
    EXPECT_EQ(whole, !isUnassigned(b));
    if (isUnassigned(b)) {
      EXPECT_EQ(utf8, "\xEF\xBF\xBD");  // U+FFFD stands in for messages
      // The C1 control of the same number is no character of the code page either.
      std::string c1 = {char(0xC2), char(b)};
      EXPECT_FALSE(convertUtf8ToWindows1252(c1, back));
      EXPECT_EQ(back, "?");
    } else {
      EXPECT_EQ(utf8, expected[b - 0x80]);
      ASSERT_TRUE(convertUtf8ToWindows1252(utf8, back));
      EXPECT_EQ(back, std::string(1, char(b)));
    }
  }
}

TEST(Windows1252, AsciiAndTheUpperHalfKeepTheirNumbers) {
  for (unsigned b = 0; b < 0x100; ++b) {
    if (b >= 0x80 && b < 0xA0) continue;
    SCOPED_TRACE(b);
    std::string ansi(1, char(b)), utf8, back;
    ASSERT_TRUE(convertWindows1252ToUtf8(ansi, utf8));
    if (b < 0x80) {
      EXPECT_EQ(utf8, ansi);
    } else {
      EXPECT_EQ(utf8, std::string({char(0xC0 | (b >> 6)), char(0x80 | (b & 0x3F))}));
    }
    ASSERT_TRUE(convertUtf8ToWindows1252(utf8, back));
    EXPECT_EQ(back, ansi);
  }
}

TEST(Windows1252, NamesRoundTrip) {
  std::string utf8;
  ASSERT_TRUE(convertWindows1252ToUtf8("\xDC" "bersicht\\\xC4\x80.txt", utf8));
  EXPECT_EQ(utf8, "Übersicht\\Ä€.txt");
  std::string ansi;
  ASSERT_TRUE(convertUtf8ToWindows1252("Grüße – „Šmíd“ ™ ÿ", ansi));
  EXPECT_EQ(ansi, "Gr\xFC\xDF" "e \x96 \x84\x8Am\xED" "d\x93 \x99 \xFF");
  ASSERT_TRUE(convertWindows1252ToUtf8(ansi, utf8));
  EXPECT_EQ(utf8, "Grüße – „Šmíd“ ™ ÿ");
}

TEST(Windows1252, CharactersBeyondTheCodePageAreRefused) {
  std::string ansi;
  EXPECT_FALSE(convertUtf8ToWindows1252("日本.txt", ansi));
  EXPECT_EQ(ansi, "??.txt");
  EXPECT_FALSE(convertUtf8ToWindows1252("a\xF0\x9F\x98\x80z", ansi));  // an emoji, four bytes
  EXPECT_EQ(ansi, "a?z");
  EXPECT_FALSE(convertUtf8ToWindows1252("\xC4\x80", ansi));  // U+0100, just past the upper half
  EXPECT_FALSE(convertUtf8ToWindows1252("\xE2\x82\xAD", ansi));  // U+20AD, beside the euro sign
}

TEST(Windows1252, MalformedUtf8IsRefused) {
  struct Case {
    const char* text;
    const char* standIn;
  };
  const Case cases[] = {
      {"a\xE2\x82", "a??"},          // cut short
      {"\x80x", "?x"},               // a continuation byte with no lead
      {"\xC3(", "?("},               // a lead without its continuation
      {"\xC0\xAF", "??"},            // overlong "/"
      {"\xE0\x83\xBF", "???"},       // overlong U+00FF, which would otherwise map
      {"\xED\xA0\x80", "???"},       // a surrogate
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\xFF", "?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string ansi;
    EXPECT_FALSE(convertUtf8ToWindows1252(c.text, ansi));
    EXPECT_EQ(ansi, c.standIn);
  }
}

}  // namespace
