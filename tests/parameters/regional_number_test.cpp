// Numbers in the regional format: the grammar, the separator, rounding and range.
#include "parameters/regional_number.h"

#include <gtest/gtest.h>

#include "support/failure_of.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

RegionalFormats WithSeparator(const char* separator) {
  RegionalFormats formats;
  formats.decimal_separator = separator;
  return formats;
}

TEST(RegionalNumberTest, SignsFractionsExponentsBlanksRoundingAndRange) {
  const RegionalFormats point = WithSeparator(".");
  EXPECT_EQ(ParseRegionalNumber("12", point), 12.0);
  EXPECT_EQ(ParseRegionalNumber("-3", point), -3.0);
  EXPECT_EQ(ParseRegionalNumber(" +1.5\t", point), 1.5);
  EXPECT_EQ(ParseRegionalNumber(".5", point), 0.5);
  EXPECT_EQ(ParseRegionalNumber("7.", point), 7.0);
  EXPECT_EQ(ParseRegionalNumber("2.5E3", point), 2500.0);
  EXPECT_EQ(ParseRegionalNumber("1e-2", point), 0.01);
  for (const char* text : {"", " ", "abc", "1.2.3", "1,5", "+", "-.", "1e", "1e+", "0x10", "inf",
                           "nan", "1 000", "12abc", "1e999"}) {
    EXPECT_FALSE(ParseRegionalNumber(text, point).has_value()) << text;
  }
  const RegionalFormats comma = WithSeparator(",");
  EXPECT_EQ(ParseRegionalNumber("2,5", comma), 2.5);
  EXPECT_FALSE(ParseRegionalNumber("2.5", comma).has_value());
  // Halves round to even, and the 32-bit range is checked after rounding.
  EXPECT_EQ(ToRegionalInteger("-2.5", point), -2);
  EXPECT_EQ(ToRegionalInteger("2147483647.4", point), 2147483647);
  EXPECT_EQ(ToRegionalInteger("-2147483648.5", point), -2147483648);
  EXPECT_EQ(testing::RaisedNumber([&] { ToRegionalInteger("2147483647.5", point); }),
            errors::kOverflow);
}

}  // namespace
}  // namespace kelvort
