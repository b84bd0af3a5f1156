// The user's regional formats from the Windows locale, and Error.log written with them. The
// test run sets a German user locale (KELVORT_GERMAN_LOCALE=1 says so).
#include "platform/windows/regional_formats.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "log/error_log.h"
#include "platform/windows/windows_test_support.h"
#include "util/date_time_text.h"

namespace kelvort {
namespace {

using testing::FileBytes;
using testing::TempFolder;
using testing::WindowsTestPlatform;

bool GermanLocale() {
  const char* german = std::getenv("KELVORT_GERMAN_LOCALE");
  return german != nullptr && std::string_view(german) == "1";
}

TEST(WindowsRegionalFormatsTest, PicturesBecomeThePatternsOfTheFormats) {
  const struct {
    const char* picture;
    const char* pattern;
  } cases[] = {
      {"dd.MM.yyyy", "%d.%m.%Y"},
      {"M/d/yy", "%-m/%-d/%y"},
      {"h:mm:ss tt", "%-I:%M:%S %p"},
      {"H.m.s", "%-H.%-M.%-S"},
      {"dddd, d. MMMM yyyy", "%-d. %B %Y"},
      {"d-MMM-yy g", "%-d-%b-%y"},
      {"'Week' d ''x'' 100%", "Week %-d 'x' 100%%"},
  };
  for (const auto& c : cases) EXPECT_EQ(FromWindowsPicture(c.picture), c.pattern) << c.picture;
}

TEST(WindowsRegionalFormatsTest, TheUserLocaleGivesItsFormats) {
  const RegionalFormats formats = ReadRegionalFormats();
  const DateTime when{2024, 3, 5, 14, 7, 9};
  const std::string date = FormatDateTime(when, formats.short_date, formats);
  const std::string time = FormatDateTime(when, formats.long_time, formats);
  if (!GermanLocale()) GTEST_SKIP() << "the German expectations need KELVORT_GERMAN_LOCALE=1";
  EXPECT_TRUE(std::regex_match(date, std::regex(R"(0?5\.0?3\.2024)"))) << date;
  EXPECT_EQ(time, "14:07:09");
  EXPECT_EQ(formats.decimal_separator, ",");
  EXPECT_EQ(formats.thousands_separator, ".");
  EXPECT_EQ(formats.list_separator, ";");
  EXPECT_EQ(formats.month_names[2], "März");
  EXPECT_EQ(formats.month_names[11], "Dezember");
}

TEST(WindowsErrorLogTest, EntriesAreAnsiTextWithCrLfAndTheRegionalDateAndTime) {
  WindowsTestPlatform test;
  RunState state(test.platform);
  TempFolder dir;
  state.ErrorLogPath = dir / "Logs";
  LogError(state, "CheckPath", RunError(errors::kPathNotFound, "Pfad für Größe\r\nnicht gefunden"));

  const std::string date =
      FormatDateTime({2024, 3, 5}, test.platform.formats.short_date, test.platform.formats);
  EXPECT_EQ(FileBytes(dir / "Logs\\Error.log"), date +
                                                    " - 14:07:09 - CheckPath\r\n"
                                                    "\t76 - Pfad f\xFCr Gr\xF6\xDF"
                                                    "e\r\n"
                                                    "\tnicht gefunden\r\n"
                                                    " \r\n");
  const std::vector<testing::ShownBox> shown = {
      {testing::ErrorBoxTitle(), "CheckPath  76\r\nPfad für Größe\r\nnicht gefunden"}};
  EXPECT_EQ(test.boxes.boxes, shown);
}

}  // namespace
}  // namespace kelvort
