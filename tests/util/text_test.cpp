#include "util/text.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

TEST(TextTest, SplitKeepsEmptyPiecesButGivesNoneForEmptyText) {
  EXPECT_EQ(Split("A, B", ','), (std::vector<std::string>{"A", " B"}));
  EXPECT_EQ(Split("A,", ','), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(Split(",1", ','), (std::vector<std::string>{"", "1"}));
  EXPECT_TRUE(Split("", ',').empty());
}

TEST(TextTest, CaseHelpersTouchOnlyAsciiLetters) {
  EXPECT_EQ(ToLower("InTeGer Ä"), "integer Ä");
  EXPECT_TRUE(EqualsIgnoreCase("BOOLEAN", "boolean"));
  EXPECT_FALSE(EqualsIgnoreCase("integer ", "integer"));
  EXPECT_EQ(Trim(" \t x y \t"), "x y");
}

}  // namespace
}  // namespace kelvort
