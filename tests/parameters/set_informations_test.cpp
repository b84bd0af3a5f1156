// The walk over a document's structure: what it selects, switches and updates, and in
// which order.
#include "parameters/set_informations.h"

#include <gtest/gtest.h>

#include "parameters/standin_run_fixture.h"
#include "part.h"
#include "product.h"
#include "selection.h"
#include "support/fake_dispatch.h"
#include "support/standin_documents.h"
#include "util/text.h"

namespace kelvort {
namespace {

using Lines = std::vector<std::string>;

// A product document whose component SUB holds three parts, and a fourth part after it:
//   Top.CATProduct  TOP with Sub.1 (SUB: Bolt.1, Washer.1, Nut.1), Cover.1
std::filesystem::path WriteThreeChildren(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  testing::WriteSmallAssembly(folder);
  for (const std::string name : {"Nut", "Cover"}) {
    testing::WriteBytes(folder / (name + ".CATPart"), "<PartDocument><Product PartNumber=\"" +
                                                          name + "\" /><Part /></PartDocument>");
  }
  testing::WriteBytes(folder / "Top.CATProduct", R"(<?xml version="1.0" encoding="UTF-8"?>
<ProductDocument>
  <Product PartNumber="TOP">
    <Products>
      <Instance Name="Sub.1" Component="SUB" />
      <Instance Name="Cover.1" File="Cover.CATPart" />
    </Products>
  </Product>
  <Component PartNumber="SUB">
    <Products>
      <Instance Name="Bolt.1" File="Bolt.CATPart" />
      <Instance Name="Washer.1" File="Washer.CATPart" />
      <Instance Name="Nut.1" File="Nut.CATPart" />
    </Products>
  </Component>
</ProductDocument>
)");
  return folder / "Top.CATProduct";
}

class SetInformationsTest : public testing::StandinRunFixture {
 protected:
  SetInformationsTest() {
    state_.ErrorLogPath = WinPath("Config");
    Define({{"Grade", "String", "A"}});
  }

  void Walk() {
    const auto& document = app_->active();
    if (document->document_type() == standin::DocumentType::kProduct) {
      SetInformations(state_, document->product(), nullptr, document->selection());
    } else {
      SetInformations(state_, nullptr, document->part(), document->selection());
    }
  }
  // Whether the part of the document and its root product's user properties got Grade.
  bool PartFilled(std::string_view file) const {
    return Doc(file).part()->parameters()->FindShort("Grade") &&
           Doc(file).product()->properties()->FindShort("Grade");
  }
  // Walks a fresh copy of the three-children structure with one call failing: the first
  // call of the member after the occurrence-th journal line `after`, as a walk over
  // another copy shows it.
  void WalkFailing(std::string_view after, int occurrence, std::string_view member) {
    ++copies_;
    OpenHost({WriteThreeChildren(root() / ("dry" + std::to_string(copies_)))});
    Walk();
    int n = 0;
    bool found = false;
    for (const auto& entry : Entries()) {
      if (EqualsIgnoreCase(entry.member, member)) {
        ++n;
        found = occurrence == 0;
        if (found) break;
      }
      if (entry.line == after) --occurrence;
    }
    ASSERT_TRUE(found) << "no call of " << member << " after " << after;
    OpenHost({WriteThreeChildren(root() / ("run" + std::to_string(copies_)))});
    app_->host()->faults().Add(std::string(member), n);
    state_.FailureCount = 0;
    test_.message_boxes.boxes.clear();
    Walk();
  }
  // Which of the three-children structure's parts got the definition, in its order.
  std::vector<bool> FilledParts() const {
    std::vector<bool> filled;
    for (const char* file : {"Bolt.CATPart", "Washer.CATPart", "Nut.CATPart", "Cover.CATPart"}) {
      filled.push_back(PartFilled(file));
    }
    return filled;
  }

  int copies_ = 0;
};

TEST_F(SetInformationsTest, APartDocumentIsFilledWithoutSelectionOrWorkbench) {
  OpenHost({testing::WriteSmallAssembly(root()).parent_path() / "Bolt.CATPart"});
  Walk();
  EXPECT_TRUE(PartFilled("Bolt.CATPart"));
  EXPECT_EQ(Doc("Bolt.CATPart").part()->relations()->items().size(), 2u);  // Form_Grade added
  EXPECT_TRUE(
      Calls({"Clear", "Add", "Search", "GetWorkbenchId", "StartWorkbench", "Update"}).empty());
  EXPECT_EQ(state_.FailureCount, 0);
}

TEST_F(SetInformationsTest, EachPartIsSelectedSwitchedToPartDesignAndUpdated) {
  OpenHost({testing::WriteSmallAssembly(root())});
  ASSERT_EQ(app_->workbench(), "Assembly");
  Walk();
  const Lines search = {"Selection.Clear()",
                        R"(Selection.Search("CATKnowledgeSearch..Name=Form_Grade,all"))",
                        "Selection.Clear()"};
  const Lines first_part = {"Selection.Clear()", "Selection.Add(<Part>)",
                            "Application.GetWorkbenchId()",
                            R"(Application.StartWorkbench("PrtCfg"))", "Part.Update()"};
  const Lines next_part = {"Selection.Clear()",
                           "Selection.Add(<Part>)",
                           "Application.GetWorkbenchId()",
                           R"(Application.StartWorkbench("Assembly"))",
                           R"(Application.StartWorkbench("PrtCfg"))",
                           "Part.Update()"};
  Lines expected = search;                                                // ASM
  expected.insert(expected.end(), search.begin(), search.end());          // SUB, inside Asm
  expected.insert(expected.end(), first_part.begin(), first_part.end());  // its Bolt.1
  for (int i = 0; i < 3; ++i) {  // Bolt.1, Bolt.2, Washer.1
    expected.insert(expected.end(), next_part.begin(), next_part.end());
  }
  EXPECT_EQ(Calls({"Clear", "Add", "Search", "GetWorkbenchId", "StartWorkbench", "Update"}),
            expected);
  EXPECT_EQ(app_->workbench(), "PrtCfg");
  EXPECT_EQ(state_.FailureCount, 0);

  // Every product and part got the definition; the bolt, placed three times, only once.
  const auto& assembly = Doc("Asm.CATProduct");
  for (const auto& product : {assembly.product(), assembly.FindComponent("SUB")}) {
    EXPECT_TRUE(product->parameters()->FindShort("Grade") &&
                product->properties()->FindShort("Grade"))
        << product->Name();
  }
  EXPECT_TRUE(PartFilled("Bolt.CATPart"));
  EXPECT_TRUE(PartFilled("Washer.CATPart"));
  // Two parameters and a formula for each of the four; SUB lives in Asm's document, where
  // the search finds the Form_Grade just made for ASM.
  EXPECT_EQ(Creations().size(), 11u);

  // A second walk finds everything.
  app_->host()->journal().Clear();
  Walk();
  EXPECT_TRUE(Creations().empty());
  EXPECT_EQ(state_.FailureCount, 0);

  // Nothing the walk holds is fetched again: each node's reference product is read once
  // (the root's by its own call, the children's by their parent's loop), and a part's
  // document comes from that loop too.
  size_t references = 0;
  size_t part_parents = 0;
  for (const auto& entry : Entries()) {
    references += entry.member == "ReferenceProduct";
    part_parents += entry.type_name == "Part" && entry.member == "Parent";
  }
  EXPECT_EQ(references, 6u);  // ASM, SUB and the four part children
  EXPECT_EQ(part_parents, 0u);
}

TEST_F(SetInformationsTest, AFailingChildEndsOnlyTheVisitItHappensIn) {
  // Examining SUB's second child fails: Nut.1 is skipped, Cover.1 one level up is not.
  WalkFailing("Products.Item(2)", 1, "ReferenceProduct");
  EXPECT_EQ(Reported(), Lines{"SetInformations"});
  EXPECT_EQ(FilledParts(), (std::vector<bool>{true, false, false, true}));

  // A failure inside the part call of Washer.1 ends that call only: the washer is still
  // updated and Nut.1 visited.
  WalkFailing(R"(Application.StartWorkbench("PrtCfg"))", 2, "Parameters");
  EXPECT_EQ(Reported(), Lines{"SetInformations"});
  EXPECT_EQ(FilledParts(), (std::vector<bool>{true, false, true, true}));
  EXPECT_EQ(Calls({"Update"}).size(), 4u);
}

// Counts are 32-bit: a product with 32,767 children or more has each visited once, in order.
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
