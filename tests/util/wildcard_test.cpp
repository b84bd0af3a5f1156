#include "util/wildcard.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

TEST(WildcardTest, StarsBackTrackAndCaseCounts) {
  EXPECT_TRUE(WildcardMatch("Form_*", "Form_Length"));
  EXPECT_TRUE(WildcardMatch("*Len*h", "Form_Length"));
  EXPECT_TRUE(WildcardMatch("*", ""));
  EXPECT_TRUE(WildcardMatch("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(WildcardMatch("Form_*", "form_Length"));
  EXPECT_FALSE(WildcardMatch("Form_Length", "Form_Length2"));
  EXPECT_FALSE(WildcardMatch("a*b", "ab_"));
}

TEST(WildcardTest, QuestionMarkIsOneCharacterOnlyWhenAsked) {
  EXPECT_TRUE(WildcardMatch("part?.txt", "part1.txt"));
  EXPECT_FALSE(WildcardMatch("part?.txt", "part.txt"));
  EXPECT_FALSE(WildcardMatch("Size?", "Size1", false));
  EXPECT_TRUE(WildcardMatch("Size?", "Size?", false));
}

}  // namespace
}  // namespace kelvort
