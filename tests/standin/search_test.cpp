// The selection's search query: names, wildcards, quotes and what is refused.
#include <gtest/gtest.h>

#include "search_query.h"

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

}  // namespace
}  // namespace kelvort
