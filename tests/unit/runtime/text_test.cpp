// The text helpers every layer uses: fields, replacement, and the short-list sort that
// stands in for std::sort in the stub.
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(Text, FieldsAndReplacement) {
  EXPECT_EQ(qv::fieldOf("a|b||d", '|', 2), "b");
  EXPECT_EQ(qv::fieldOf("a|b||d", '|', 3), "");
  EXPECT_EQ(qv::fieldOf("a|b||d", '|', 4), "d");
  EXPECT_EQ(qv::fieldOf("a|b||d", '|', 5), "");
  EXPECT_EQ(qv::fieldOf("a|b", '|', 0), "");
  // The inserted text is not scanned again, and an empty token changes nothing.
  EXPECT_EQ(qv::replaceAll("%A%%A%", "%A%", "%A%x"), "%A%x%A%x");
  EXPECT_EQ(qv::replaceAll("abc", "", "x"), "abc");
}

TEST(Text, DecimalTextCoversBothEnds) {
  EXPECT_EQ(qv::decimalText(0), "0");
  EXPECT_EQ(qv::decimalText(4294967295u), "4294967295");
  // Registry roots are above the int range and must not come out negative.
  EXPECT_EQ(qv::decimalText(0x80000002u), "2147483650");
  EXPECT_EQ(qv::signedDecimalText(0), "0");
  EXPECT_EQ(qv::signedDecimalText(-5), "-5");
  EXPECT_EQ(qv::signedDecimalText(1234567890), "1234567890");
  EXPECT_EQ(qv::signedDecimalText(INT32_MAX), "2147483647");
  EXPECT_EQ(qv::signedDecimalText(INT32_MIN), "-2147483648");
}

TEST(Text, ShortListSortKeepsEqualItemsInTheirOrder) {
  std::vector<std::pair<int, char>> items = {{3, 'a'}, {1, 'b'}, {3, 'c'}, {2, 'd'}, {1, 'e'}, {0, 'f'}};
  qv::sortShortList(items, [](const auto& x, const auto& y) { return x.first < y.first; });
  const std::vector<std::pair<int, char>> sorted = {{0, 'f'}, {1, 'b'}, {1, 'e'}, {2, 'd'}, {3, 'a'}, {3, 'c'}};
  EXPECT_EQ(items, sorted);

  std::vector<std::string> none, one = {"x"};
  qv::sortShortList(none, [](const std::string& a, const std::string& b) { return a < b; });
  qv::sortShortList(one, [](const std::string& a, const std::string& b) { return a < b; });
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(one, std::vector<std::string>{"x"});
}

}  // namespace
