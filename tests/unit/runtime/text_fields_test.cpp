// Fields, counts and replacement of the shared text helpers.
#include "runtime/text_fields.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFields, FieldsCountsAndPrefixes) {
  EXPECT_EQ(qv::countCharacter("a|b||", '|'), 3u);
  EXPECT_EQ(qv::countCharacter("", '|'), 0u);
  EXPECT_EQ(qv::fieldOf("a|b||c", '|', 1), "a");
  EXPECT_EQ(qv::fieldOf("a|b||c", '|', 2), "b");
  EXPECT_EQ(qv::fieldOf("a|b||c", '|', 3), "");
  EXPECT_EQ(qv::fieldOf("a|b||c", '|', 4), "c");
  EXPECT_EQ(qv::fieldOf("a|b||c", '|', 5), "");
  EXPECT_EQ(qv::fieldOf("a|b", '|', 0), "");
  EXPECT_EQ(qv::fieldOf("", '|', 1), "");
  EXPECT_EQ(qv::fieldOf("abc", '|', 1), "abc");
  EXPECT_EQ(qv::textBefore("a.b.c", '.'), "a");
  EXPECT_EQ(qv::textBefore("abc", '.'), "abc");
}

TEST(TextFields, ReplaceAllScansLeftToRightWithoutRescanning) {
  EXPECT_EQ(qv::replaceAll("%A%x%A%", "%A%", "1"), "1x1");
  EXPECT_EQ(qv::replaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(qv::replaceAll("ab", "b", "bb"), "abb");
  EXPECT_EQ(qv::replaceAll("%a%", "%A%", "1"), "%a%");
  EXPECT_EQ(qv::replaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(qv::replaceAll("", "a", "x"), "");
  EXPECT_EQ(qv::replaceAll("a|b", "|", ""), "ab");
}

}  // namespace
