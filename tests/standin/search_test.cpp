// The selection and its search over a document and the documents its structure reaches.
#include <gtest/gtest.h>

#include "document_files.h"
#include "search_query.h"
#include "support/failure_of.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using testing::FailureOf;

DispatchPtr Obj(const Variant& value) {
  return value.ToObject();
}

// The names of what the selection holds, with the name of each one's document.
std::vector<std::string> Found(const DispatchPtr& selection) {
  std::vector<std::string> found;
  const int32_t count = selection->Get("Count").ToLong();
  for (int32_t i = 1; i <= count; ++i) {
    const auto object = Obj(Obj(selection->Call("Item", {i}))->Get("Value"));
    const auto document = Obj(Obj(Obj(object->Get("Parent"))->Get("Parent"))->Get("Parent"));
    found.push_back(object->Get("Name").ToText() + " in " + document->Get("Name").ToText());
  }
  return found;
}

TEST(SearchQueryTest, NamesWildcardsQuotesAndRefusals) {
  const auto plain = standin::ParseSearchQuery("CATKnowledgeSearch..Name=Form_Length,all");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->pattern, "Form_Length");
  EXPECT_EQ(plain->kind, standin::SearchQuery::Kind::kAny);
  const auto quoted =
      standin::ParseSearchQuery("CATKnowledgeSearch.Formula.Name='Form_Part number*',all");
  ASSERT_TRUE(quoted);
  EXPECT_EQ(quoted->pattern, "Form_Part number*");
  EXPECT_EQ(quoted->kind, standin::SearchQuery::Kind::kFormula);
  for (const char* bad : {"", "CATKnowledgeSearch..Name=Form Length,all",
                          "CATKnowledgeSearch..Name=Form_Length", "CATKnowledgeSearch..Name=,all",
                          "CATKnowledgeSearch..Name='Open,all", "Part Design..Name=Pad,all",
                          "CATKnowledgeSearch.Pad.Name=X,all", "CATKnowledgeSearch..Name=X,sel"}) {
    EXPECT_FALSE(standin::ParseSearchQuery(bad)) << bad;
  }
}

TEST(SelectionTest, SearchFindsFormulasAcrossDocumentsInTreeOrder) {
  testing::TempDir dir;
  const auto app = standin::OpenApplication({testing::WriteSmallAssembly(dir.path())});
  const auto document = Obj(app->Get("ActiveDocument"));
  const auto selection = Obj(document->Get("Selection"));
  selection->Call("Search", {"CATKnowledgeSearch..Name=Form_Length,all"});
  // The root's formula first, then the bolt's (reached through the component SUB and
  // placed three times, found once).
  EXPECT_EQ(Found(selection), (std::vector<std::string>{"Form_Length in Asm.CATProduct",
                                                        "Form_Length in Bolt.CATPart"}));
  EXPECT_EQ(selection->Get("Count2"), Variant(int32_t{2}));
  EXPECT_EQ(Obj(selection->Call("Item2", {2}))->TypeName(), "SelectedElement");

  // Parameters are knowledge objects too; a type narrows the search.
  selection->Call("Search", {"CATKnowledgeSearch..Name=Len*,all"});
  EXPECT_EQ(Found(selection),
            (std::vector<std::string>{
                "ASM\\Length in Asm.CATProduct", "ASM\\Properties\\Length in Asm.CATProduct",
                "BOLT\\Properties\\Length in Bolt.CATPart", "BOLT\\Length in Bolt.CATPart"}));
  selection->Call("Search", {"CATKnowledgeSearch.Formula.Name=*,all"});
  EXPECT_EQ(selection->Get("Count"), Variant(int32_t{2}));
  selection->Call("Search", {"CATKnowledgeSearch..Name=Form_Width,all"});
  EXPECT_EQ(selection->Get("Count"), Variant(int32_t{0}));

  // A query the host does not understand fails and leaves the selection as it was.
  selection->Call("Add", {Variant(Obj(document->Get("Product")))});
  const auto failure =
      FailureOf([&] { selection->Call("Search", {"CATKnowledgeSearch..Name=Form Length,all"}); });
  EXPECT_EQ(failure.description(), "Method 'Search' of object 'Selection' failed");
  EXPECT_EQ(selection->Get("Count"), Variant(int32_t{1}));
}

TEST(SelectionTest, SearchFromAPartDocumentAndQuotedNames) {
  testing::TempDir dir;
  testing::WriteSmallAssembly(dir.path());
  const auto app = standin::OpenApplication({dir.path() / "Bolt.CATPart"});
  const auto document = Obj(app->Get("ActiveDocument"));
  const auto part = Obj(document->Get("Part"));
  Obj(part->Get("Parameters"))->Call("CreateString", {"Surface finish", "Ra 3.2"});
  const auto selection = Obj(document->Get("Selection"));
  selection->Call("Search", {"CATKnowledgeSearch..Name='Surface fin*',all"});
  EXPECT_EQ(Found(selection), (std::vector<std::string>{"BOLT\\Surface finish in Bolt.CATPart"}));
  // Only the part document's own objects: the assembly is not open.
  selection->Call("Search", {"CATKnowledgeSearch..Name=Form_Length,all"});
  EXPECT_EQ(Found(selection), (std::vector<std::string>{"Form_Length in Bolt.CATPart"}));
}

TEST(SelectionTest, AddClearAndItems) {
  testing::TempDir dir;
  const auto app = standin::OpenApplication({testing::WriteSmallAssembly(dir.path())});
  const auto document = Obj(app->Get("ActiveDocument"));
  const auto selection = Obj(document->Get("Selection"));
  EXPECT_EQ(Obj(selection->Get("Parent")), document);
  const auto product = Obj(document->Get("Product"));
  selection->Call("Add", {Variant(product)});
  selection->Call("Add", {Variant(product)});
  EXPECT_EQ(selection->Get("Count"), Variant(int32_t{1}));
  const auto element = Obj(selection->Call("Item", {1}));
  EXPECT_EQ(Obj(element->Get("Value")), product);
  EXPECT_EQ(Obj(element->Get("Parent")), selection);
  EXPECT_ANY_THROW(selection->Call("Item", {2}));
  // Documents and the application cannot be selected, nor nothing at all.
  for (const Variant& object : {Variant(document), Variant(DispatchPtr(app)), Variant::Nothing()}) {
    EXPECT_EQ(FailureOf([&] { selection->Call("Add", {object}); }).description(),
              "Method 'Add' of object 'Selection' failed");
  }
  selection->Call("Clear");
  EXPECT_EQ(selection->Get("Count"), Variant(int32_t{0}));
}

}  // namespace
}  // namespace kelvort
