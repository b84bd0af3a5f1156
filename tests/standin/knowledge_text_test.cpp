// The stand-in's knowledge texts: which it stores (well-formed UTF-8 without control characters
// but TAB, LF and CR), its search queries (names, wildcards, quotes and what is refused), what
// a query of each kind finds, which selection searches at all, and names taken twice.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document_files.h"
#include "host/late_binding.h"
#include "knowledge_search.h"
#include "parameter_type.h"
#include "search_query.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using ::testing::FieldsAre;
using ::testing::Optional;

TEST(ParameterTypeTest, OnlyWellFormedTextIsStored) {
  EXPECT_TRUE(standin::IsStorableText("L\xC3\xA4nge\t\r\n\xF0\x9F\x98\x80"));
  for (const char* text :
       {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "a\x01", "\x7F"}) {
    EXPECT_FALSE(standin::IsStorableText(text)) << text;
  }
}

TEST(SearchQueryTest, NamesWildcardsQuotesAndRefusals) {
  using Kind = standin::SearchQuery::Kind;
  EXPECT_THAT(standin::ParseSearchQuery("CATKnowledgeSearch..Name=Form_Length,all"),
              Optional(FieldsAre(Kind::kAny, "Form_Length")));
  EXPECT_THAT(standin::ParseSearchQuery("CATKnowledgeSearch.Formula.Name='Form_Part number*',all"),
              Optional(FieldsAre(Kind::kFormula, "Form_Part number*")));
  for (const char* bad : {"", "CATKnowledgeSearch..Name=Form Length,all",
                          "CATKnowledgeSearch..Name=Form_Length", "CATKnowledgeSearch..Name=,all",
                          "CATKnowledgeSearch..Name='Open,all", "Part Design..Name=Pad,all",
                          "CATKnowledgeSearch.Pad.Name=X,all", "CATKnowledgeSearch..Name=X,sel"}) {
    EXPECT_FALSE(standin::ParseSearchQuery(bad)) << bad;
  }
}

// In the small assembly ASM and BOLT each hold a parameter, a user property and a formula
// named after Length: a search for formulas finds no parameter, one for parameters no
// formula.
TEST(SearchQueryTest, ASearchFindsOnlyTheKindItAsksFor) {
  const testing::TempDir dir;
  const auto app = standin::OpenApplication({testing::WriteSmallAssembly(dir.path())});
  const auto found = [&](const char* query) {
    return standin::FindKnowledgeObjects(*app->active(), *standin::ParseSearchQuery(query)).size();
  };
  EXPECT_EQ(found("CATKnowledgeSearch.Formula.Name=Form_Length,all"), 2u);
  EXPECT_EQ(found("CATKnowledgeSearch.Formula.Name=Length,all"), 0u);
  EXPECT_EQ(found("CATKnowledgeSearch.Parameter.Name=Form_Length,all"), 0u);
  EXPECT_GE(found("CATKnowledgeSearch.Parameter.Name=Length,all"), 3u);
}

// The sub-assembly whose component holds Form_Material: its own document has no window, so a
// search through its selection finds nothing, as a search through D's selection would; the
// active document's finds the formula, three Parent steps below Sub's document. A create
// call of a name held in the collection makes a ".N" duplicate instead of failing.
TEST(SearchQueryTest, OnlyTheActiveSelectionSearchesAndANameTakenTwiceIsDisambiguated) {
  const testing::TempDir dir;
  const DispatchPtr app =
      standin::OpenApplication({testing::WriteSubAssemblyWithAFormula(dir.path())});
  const DispatchPtr active = ObjectMember(app, "ActiveDocument");
  const DispatchPtr sub_root = ObjectMember(
      ObjectMember(ObjectMember(active, "Product"), "Products")->Call("Item", {1}).ToObject(),
      "ReferenceProduct");
  const DispatchPtr sub = ObjectMember(sub_root, "Parent");
  const auto matches = [&](const DispatchPtr& document) {
    const DispatchPtr selection = ObjectMember(document, "Selection");
    selection->Call("Search", {"CATKnowledgeSearch..Name=Form_Material,all"});
    return selection;
  };
  EXPECT_EQ(matches(sub)->Get("Count2").ToLong(), 0);
  const DispatchPtr found = matches(active);
  ASSERT_EQ(found->Get("Count2").ToLong(), 1);
  DispatchPtr holder = ObjectMember(found->Call("Item2", {1}).ToObject(), "Value");
  for (int step = 0; step < 3; ++step) holder = ObjectMember(holder, "Parent");
  EXPECT_EQ(TextMember(holder, "FullName"), TextMember(sub, "FullName"));

  const DispatchPtr properties = ObjectMember(sub_root, "UserRefProperties");
  const DispatchPtr relations = ObjectMember(sub_root, "Relations");
  for (const char* expected : {"Material", "Material.1"}) {
    const Variant property = properties->Call("CreateString", {"Material", ""});
    EXPECT_EQ(properties->Call("GetNameToUseInRelation", {property}).ToText(), expected);
    const DispatchPtr formula =
        relations->Call("CreateFormula", {"Form_Material", "", property, "Material"}).ToObject();
    EXPECT_EQ(TextMember(formula, "Name"), "Form_" + std::string(expected));
  }
}

}  // namespace
}  // namespace kelvort
