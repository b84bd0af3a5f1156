// Regional formats read from the POSIX locale.
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

// The C locale and a German one, where the comma separates decimals and so semicolons lists.
TEST(RegionalFormatsTest, ALocalesFormsAreReadWhole) {
  using Forms = std::array<std::string, 7>;
  const std::pair<const char*, Forms> locales[] = {
      {"C", {"%m/%d/%y", "%H:%M:%S", ".", "", ",", "December", "Jan"}},
      {"de_DE.UTF-8", {"%d.%m.%Y", "%H:%M:%S", ",", ".", ";", "Dezember", "Jan"}}};
  for (const auto& [name, expected] : locales) {
    const locale_t locale = ::newlocale(LC_ALL_MASK, name, nullptr);
    ASSERT_NE(locale, nullptr) << name;
    const RegionalFormats f = ReadRegionalFormats(locale);
    ::freelocale(locale);
    EXPECT_EQ((Forms{f.short_date, f.long_time, f.decimal_separator, f.thousands_separator,
                     f.list_separator, f.month_names[11], f.abbreviated_month_names[0]}),
              expected)
        << name;
  }
}

}  // namespace
}  // namespace kelvort
