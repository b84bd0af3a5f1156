// The walk over a very large product: host counts are 32-bit, no loop wraps or skips.
#include "parameters/set_informations.h"

#include <gtest/gtest.h>

#include "parameters/standin_run_fixture.h"
#include "support/fake_dispatch.h"

namespace kelvort {
namespace {

using SetInformationsTest = testing::StandinRunFixture;

// A product with 32,767 children or more has each visited once, in order.
TEST_F(SetInformationsTest, EveryChildOfAVeryLargeProductIsVisitedOnce) {
  Define({});  // the walk alone
  using testing::FakeDispatch;
  const auto document = std::make_shared<FakeDispatch>("ProductDocument");
  const auto collection = std::make_shared<FakeDispatch>("Parameters");
  const auto reference = std::make_shared<FakeDispatch>("Product");
  reference->Returns("Parent", Variant(document))
      .Returns("Parameters", Variant(collection))
      .Returns("UserRefProperties", Variant(collection));
  std::vector<int32_t> none;
  const auto child = std::make_shared<FakeDispatch>("Product");
  child->Returns("ReferenceProduct", Variant(reference))
      .Returns("Products", Variant(testing::FakeCollection(0, nullptr, none)));
  for (const int32_t count : {32767, 40000}) {
    std::vector<int32_t> asked;
    const auto root = std::make_shared<FakeDispatch>("Product");
    root->Returns("ReferenceProduct", Variant(reference))
        .Returns("Products", Variant(testing::FakeCollection(count, child, asked)));
    SetInformations(state_, root, nullptr, nullptr);
    EXPECT_EQ(state_.FailureCount, 0);
    ASSERT_EQ(asked.size(), static_cast<size_t>(count));
    EXPECT_EQ(asked.front(), 1);
    EXPECT_EQ(asked.back(), count);
  }
}

}  // namespace
}  // namespace kelvort
