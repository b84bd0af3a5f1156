// The texts a user reads for the standard run-time errors.
#include "util/run_error.h"

#include <gtest/gtest.h>

namespace kelvort {
namespace {

TEST(RunErrorTest, EveryStandardNumberHasItsText) {
  const std::pair<int32_t, const char*> cases[] = {
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {13, "Type mismatch"},
      {51, "Internal error"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {58, "File already exists"},
      {61, "Disk full"},
      {70, "Permission denied"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {380, "Invalid property value"},
      {424, "Object required"},
      {429, "ActiveX component can't create object"},
      {438, "Object doesn't support this property or method"},
      {450, "Wrong number of arguments or invalid property assignment"},
      {-2147467259, "Automation error\r\nUnspecified error"},
      {-2147352567, "Automation error\r\nException occurred."},
      {1, ""},
  };
  for (const auto& [number, text] : cases) {
    EXPECT_EQ(RunError(number).description(), text) << number;
    EXPECT_EQ(RunError(number, "own").description(), "own") << number;
  }
}

}  // namespace
}  // namespace kelvort
