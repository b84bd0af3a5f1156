#include "platform/posix/regional_formats.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

TEST(RegionalFormatsTest, LocalePatternsAreSpelledInTheConversionsOfTheProgram) {
  EXPECT_EQ(NormalizeLocalePattern("%d.%m.%Y", ""), "%d.%m.%Y");
  EXPECT_EQ(NormalizeLocalePattern("%r", "%I:%M:%S %p"), "%I:%M:%S %p");
  EXPECT_EQ(NormalizeLocalePattern("%r", "%p %I:%M:%S"), "%p %I:%M:%S");
  EXPECT_EQ(NormalizeLocalePattern("%T", ""), "%H:%M:%S");
  EXPECT_EQ(NormalizeLocalePattern("%D", ""), "%m/%d/%y");
  EXPECT_EQ(NormalizeLocalePattern("%F", ""), "%Y-%m-%d");
  EXPECT_EQ(NormalizeLocalePattern("%Ey/%Om/%Od", ""), "%y/%m/%d");
  EXPECT_EQ(NormalizeLocalePattern("%a %d %h %Y", ""), "%d %b %Y");
  EXPECT_EQ(NormalizeLocalePattern("%H:%M:%S %Z", ""), "%H:%M:%S");
  // A pattern that names itself cannot loop.
  EXPECT_EQ(NormalizeLocalePattern("%r", "%r"), "");
}

TEST(RegionalFormatsTest, TheCLocaleGivesItsOwnForms) {
  locale_t c_locale = ::newlocale(LC_ALL_MASK, "C", nullptr);
  ASSERT_NE(c_locale, nullptr);
  const RegionalFormats formats = ReadRegionalFormats(c_locale);
  ::freelocale(c_locale);
  EXPECT_EQ(formats.short_date, "%m/%d/%y");
  EXPECT_EQ(formats.long_time, "%H:%M:%S");
  EXPECT_EQ(formats.am, "AM");
  EXPECT_EQ(formats.pm, "PM");
  EXPECT_EQ(formats.decimal_separator, ".");
  EXPECT_EQ(formats.thousands_separator, "");
  EXPECT_EQ(formats.list_separator, ",");
  EXPECT_EQ(formats.month_names[11], "December");
  EXPECT_EQ(formats.abbreviated_month_names[0], "Jan");
}

// Where the comma separates decimals, lists are separated by semicolons.
TEST(RegionalFormatsTest, AGermanLocaleSeparatesListsBySemicolons) {
  locale_t german = ::newlocale(LC_ALL_MASK, "de_DE.UTF-8", nullptr);
  if (german == nullptr) GTEST_SKIP() << "no German locale on this machine";
  const RegionalFormats formats = ReadRegionalFormats(german);
  ::freelocale(german);
  EXPECT_EQ(formats.decimal_separator, ",");
  EXPECT_EQ(formats.list_separator, ";");
}

}  // namespace
}  // namespace kelvort
