// A box's text is never empty: looked up though an earlier failure set the run's flag, and
// a fixed English text naming lang.xml where lang.xml cannot give one.
#include <gtest/gtest.h>

#include <filesystem>

#include "forms/forms_fixture.h"
#include "lang/language.h"

namespace kelvort {
namespace {

class BoxTextTest : public testing::FormsFixture {};

TEST_F(BoxTextTest, ABoxAlwaysHasItsTextOrOneThatNamesLangXml) {
  ShowMainWindow();  // the language: English, with nothing stored
  state_.ErrorOccurred = true;
  EXPECT_EQ(BoxText(state_, "AlreadyRunning"), Shipped("AlreadyRunning", "Lang0"));
  EXPECT_TRUE(state_.ErrorOccurred) << "the earlier failure stays on record";

  std::filesystem::remove(root() / "Config/lang.xml");
  state_.ErrorOccurred = false;
  EXPECT_EQ(BoxText(state_, "RunNothingMissing"),
            "[RunNothingMissing] Kelvort has no text for this message: Config\\lang.xml is "
            "missing or lacks it.");
}

}  // namespace
}  // namespace kelvort
