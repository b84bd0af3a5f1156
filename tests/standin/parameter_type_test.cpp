// The texts the stand-in stores: well-formed UTF-8 without control characters but TAB, LF
// and CR.
#include "parameter_type.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

TEST(ParameterTypeTest, OnlyWellFormedTextIsStored) {
  EXPECT_TRUE(standin::IsStorableText("L\xC3\xA4nge\t\r\n\xF0\x9F\x98\x80"));
  for (const char* text :
       {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "a\x01", "\x7F"}) {
    EXPECT_FALSE(standin::IsStorableText(text)) << text;
  }
}

}  // namespace
}  // namespace kelvort
