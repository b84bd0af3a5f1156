#include "platform/posix/code_page.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

TEST(CodePageTest, UnrepresentableAndBrokenCharactersBecomeOneQuestionMarkEach) {
  EXPECT_EQ(FromUtf8("\xC3\xA4\xE2\x82\xAC!", "ISO-8859-1"), "\xE4?!");
  EXPECT_EQ(FromUtf8("\xC3\xA4\xE2\x82\xAC!", "ISO-8859-15"), "\xE4\xA4!");
  EXPECT_EQ(FromUtf8("\xC3\xA4 x", "ANSI_X3.4-1968"), "? x");
  // A lone lead byte, a stray continuation byte and a truncated sequence at the end.
  EXPECT_EQ(FromUtf8("a\xC3"
                     "b\x80"
                     "c\xE2\x82",
                     "ISO-8859-1"),
            "a?b?c?");
  EXPECT_EQ(FromUtf8(std::string(2000, 'x') + "\xC3\xBC", "ISO-8859-1"),
            std::string(2000, 'x') + "\xFC");
  EXPECT_EQ(FromUtf8("\xC3\xA4", "UTF-8"), "\xC3\xA4");
  EXPECT_EQ(FromUtf8("\xC3\xA4", "no-such-character-set"), "\xC3\xA4");
}

}  // namespace
}  // namespace kelvort
