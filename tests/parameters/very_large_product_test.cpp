// A very large product through host fakes: host counts are 32-bit, so no loop wraps or skips
// an item, and a count that a 16-bit counter cannot hold fails before the first item.
#include <gtest/gtest.h>

#include <algorithm>

#include "parameters/set_formulas.h"
#include "parameters/set_informations.h"
#include "parameters/standin_run_fixture.h"
#include "support/fake_dispatch.h"

namespace kelvort {
namespace {

using testing::FakeCollection;
using testing::FakeDispatch;

class VeryLargeProductTest : public testing::StandinRunFixture {
 protected:
  VeryLargeProductTest() {
    // The active document's selection finds no formula anywhere.
    const auto selection = std::make_shared<FakeDispatch>("Selection");
    selection->Returns("Clear", Variant())
        .Returns("Search", Variant())
        .Returns("Count2", Variant(0));
    const auto document = std::make_shared<FakeDispatch>("ProductDocument");
    document->Returns("Selection", Variant(selection)).Returns("FullName", Variant("TOP"));
    reference_->Returns("Parent", Variant(document));
    const auto application = std::make_shared<FakeDispatch>("Application");
    application->Returns("ActiveDocument", Variant(document));
    state_.CatiaApp = application;
  }
  // A product TOP of the reference; its relations take any formula.
  std::shared_ptr<FakeDispatch> Product() {
    const auto product = std::make_shared<FakeDispatch>("Product");
    product->Returns("ReferenceProduct", Variant(reference_))
        .Returns("PartNumber", Variant("TOP"))
        .Returns("Relations", Variant(relations_));
    relations_->Returns("CreateFormula", Variant());
    return product;
  }

  std::shared_ptr<FakeDispatch> reference_ = std::make_shared<FakeDispatch>("Product");
  std::shared_ptr<FakeDispatch> relations_ = std::make_shared<FakeDispatch>("Relations");
};

// 32,767 user properties are each read once; one more fails when the reading starts.
TEST_F(VeryLargeProductTest, UserPropertyCountsUpTo32767AreReadWithoutWrapping) {
  Define({{"Mass", "Real", ""}});
  const auto property = std::make_shared<FakeDispatch>("StrParam");
  property->Returns("Name", Variant("TOP\\Properties\\Mass"));
  for (const int32_t count : {32767, 32768}) {
    std::vector<int32_t> asked;
    reference_->Returns("UserRefProperties", Variant(FakeCollection(count, property, asked)));
    Set_Formulas(state_, Product(), nullptr, {});
    EXPECT_EQ(asked.size(), count == 32767 ? 32767u : 0u);
    EXPECT_EQ(asked.empty() ? 32767 : asked.back(), 32767);
  }
  // The formula of the first product only.
  EXPECT_EQ(std::count_if(relations_->calls.begin(), relations_->calls.end(),
                          [](const auto& call) { return call.first == "CreateFormula"; }),
            1);
  EXPECT_EQ(Reported(), std::vector<std::string>{"Set_Formulas"});
}

// A product with 32,767 children or more has each visited once, in order.
TEST_F(VeryLargeProductTest, EveryChildIsVisitedOnce) {
  Define({});  // the walk alone
  std::vector<int32_t> none;
  const auto empty = FakeCollection(0, nullptr, none);
  reference_->Returns("Parameters", Variant(empty)).Returns("UserRefProperties", Variant(empty));
  const auto child = Product();
  child->Returns("Products", Variant(empty));
  for (const int32_t count : {32767, 40000}) {
    std::vector<int32_t> asked;
    const auto root = Product();
    root->Returns("Products", Variant(FakeCollection(count, child, asked)));
    SetInformations(state_, root, nullptr, nullptr);
    EXPECT_EQ(state_.FailureCount, 0);
    ASSERT_EQ(asked.size(), static_cast<size_t>(count));
    EXPECT_EQ(asked.front(), 1);
    EXPECT_EQ(asked.back(), count);
  }
}

}  // namespace
}  // namespace kelvort
