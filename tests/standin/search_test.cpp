// The selection's search: its query (names, wildcards, quotes and what is refused), and what
// a query of each kind finds.
#include <gtest/gtest.h>

#include "document_files.h"
#include "knowledge_search.h"
#include "search_query.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

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

}  // namespace
}  // namespace kelvort
