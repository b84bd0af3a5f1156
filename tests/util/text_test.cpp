// Tests of the text helpers: splitting, letter case, trimming, wildcard patterns and the
// regional forms of dates and times.
#include "util/text.h"

#include <gtest/gtest.h>

#include "util/date_time_text.h"
#include "util/wildcard.h"

namespace kelvort {
namespace {

TEST(TextTest, SplitKeepsEmptyPiecesAndCaseHelpersTouchOnlyAsciiLetters) {
  EXPECT_EQ(Split("A, B", ','), (std::vector<std::string>{"A", " B"}));
  EXPECT_EQ(Split("A,", ','), (std::vector<std::string>{"A", ""}));
  EXPECT_EQ(Split(",1", ','), (std::vector<std::string>{"", "1"}));
  EXPECT_TRUE(Split("", ',').empty());
  EXPECT_EQ(ToLower("InTeGer Ä"), "integer Ä");
  EXPECT_TRUE(EqualsIgnoreCase("BOOLEAN", "boolean"));
  EXPECT_FALSE(EqualsIgnoreCase("integer ", "integer"));
  EXPECT_EQ(Trim(" \t x y \t"), "x y");
}

// Stars backtrack, letter case counts, and "?" is one character only when asked.
TEST(TextTest, WildcardsMatch) {
  EXPECT_TRUE(WildcardMatch("Form_*", "Form_Length"));
  EXPECT_TRUE(WildcardMatch("*Len*h", "Form_Length"));
  EXPECT_TRUE(WildcardMatch("*", ""));
  EXPECT_TRUE(WildcardMatch("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(WildcardMatch("Form_*", "form_Length"));
  EXPECT_FALSE(WildcardMatch("Form_Length", "Form_Length2"));
  EXPECT_FALSE(WildcardMatch("a*b", "ab_"));
  EXPECT_TRUE(WildcardMatch("part?.txt", "part1.txt"));
  EXPECT_FALSE(WildcardMatch("part?.txt", "part.txt"));
  EXPECT_FALSE(WildcardMatch("Size?", "Size1", false));
  EXPECT_TRUE(WildcardMatch("Size?", "Size?", false));
}

TEST(DateTimeTextTest, PatternsWriteTheRegionalForms) {
  const RegionalFormats us;
  RegionalFormats german;
  german.am = german.pm = "";
  german.month_names[2] = "März";
  german.abbreviated_month_names[2] = "Mär";
  const DateTime morning{2024, 3, 5, 9, 7, 3};
  const DateTime midnight{2009, 12, 31, 0, 0, 0};
  const DateTime noon{2010, 1, 1, 12, 30, 59};

  EXPECT_EQ(FormatDateTime(morning, "%m/%d/%Y", us), "03/05/2024");
  EXPECT_EQ(FormatDateTime(morning, "%d.%m.%y", german), "05.03.24");
  EXPECT_EQ(FormatDateTime(morning, "%e %B %Y", german), " 5 März 2024");
  EXPECT_EQ(FormatDateTime(morning, "%d-%b-%Y", us), "05-Mar-2024");
  EXPECT_EQ(FormatDateTime(morning, "%H:%M:%S", us), "09:07:03");
  EXPECT_EQ(FormatDateTime(midnight, "%I:%M:%S %p", us), "12:00:00 AM");
  EXPECT_EQ(FormatDateTime(noon, "%I:%M:%S %p", us), "12:30:59 PM");
  EXPECT_EQ(FormatDateTime(midnight, "%y", us), "09");
  EXPECT_EQ(FormatDateTime(noon, "100%% %q %", us), "100% %q %");
  // The "-" flag: numbers without their leading zero, as Windows's d.M.yyyy and H:mm write them.
  EXPECT_EQ(FormatDateTime(morning, "%-d.%-m.%Y %-H:%M:%-S", german), "5.3.2024 9:07:3");
  EXPECT_EQ(FormatDateTime(midnight, "%-I %-y|%-", us), "12 9|%-");
}

}  // namespace
}  // namespace kelvort
