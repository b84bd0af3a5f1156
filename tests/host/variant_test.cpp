// Conversions of late-bound values and the run-time errors that a user then reads.
#include "host/variant.h"

#include <gtest/gtest.h>

#include "host/late_binding.h"
#include "support/failure_of.h"

namespace kelvort {
namespace {

using testing::RaisedNumber;

TEST(VariantTest, ConversionsFollowLateBinding) {
  EXPECT_EQ(Variant(true).ToDouble(), -1);
  EXPECT_EQ(Variant(" +2.5 ").ToInteger(), 2);  // halves round to the even neighbour
  EXPECT_EQ(Variant(3.5).ToLong(), 4);
  EXPECT_EQ(Variant(-2.5).ToInteger(), -2);
  EXPECT_EQ(Variant("TRUE").ToBoolean(), true);
  EXPECT_EQ(Variant(0.5).ToText(), "0.5");
  const std::pair<std::function<void()>, int32_t> failures[] = {
      {[] { Variant(int32_t{32768}).ToInteger(); }, errors::kOverflow},
      {[] { Variant("2 5").ToDouble(); }, errors::kTypeMismatch},
      {[] { Variant::Nothing().ToObject(); }, errors::kObjectVariableNotSet},
      {[] { Variant("Part").ToObject(); }, errors::kObjectRequired},
      {[] { Deref(nullptr); }, errors::kObjectVariableNotSet},
  };
  for (const auto& [step, number] : failures) EXPECT_EQ(RaisedNumber(step), number);
}

}  // namespace
}  // namespace kelvort
