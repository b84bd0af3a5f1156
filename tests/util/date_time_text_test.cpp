#include "util/date_time_text.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

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
