// One host fault at a time, at calls spread over every member that a run over the sample
// gearbox makes; a run without faults afterwards completes the documents. No interrupted
// step may leave a document that a later run cannot finish.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <map>
#include <set>

#include "document.h"
#include "document_files.h"
#include "part.h"
#include "product.h"
#include "relations.h"
#include "support/kelvort_run.h"

namespace kelvort {
namespace {

using testing::KelvortRun;

// A plain text, an enumerated text with its default, an integer and a Boolean.
const std::vector<std::string> kDefinitions = {"Revision", "Finish", "Quantity", "Released"};
constexpr const char* kParameters = R"(  <Parameters>
    <Parameter Name="Revision" Type="String" Default="A" />
    <Parameter Name="Finish" Type="None,Anodised,Painted" Default="None" />
    <Parameter Name="Quantity" Type="Integer" Default="2" />
    <Parameter Name="Released" Type="Boolean" Default="false" />
  </Parameters>
)";

// How many calls of each member the journal holds ("Parameters.Item(...)" is one of Item).
std::map<std::string, int> CallsByMember(const std::filesystem::path& journal) {
  std::map<std::string, int> calls;
  std::ifstream lines(journal);
  for (std::string line; std::getline(lines, line);) {
    const size_t dot = line.find('.');
    const size_t end = line.find_first_of("( ", dot);
    ++calls[line.substr(dot + 1, end == std::string::npos ? end : end - dot - 1)];
  }
  return calls;
}

// The first and the last call of every member, and the middle one of a member called often.
std::vector<std::string> FaultPoints(const std::map<std::string, int>& calls) {
  std::vector<std::string> points;
  for (const auto& [member, count] : calls) {
    std::set<int> spread{1, count};
    if (count >= 20) spread.insert((count + 1) / 2);
    for (const int nth : spread) {
      points.push_back(member + ":" + std::to_string(nth));
    }
  }
  return points;
}

// What the documents that the structure reaches lack: a definition's parameter or user
// property in a product or part, or its formula in a document.
std::vector<std::string> Missing(const std::filesystem::path& root_document) {
  std::vector<std::string> missing;
  const auto application = standin::OpenApplication({root_document});
  for (const auto& document : application->documents()) {
    std::vector<std::shared_ptr<standin::Product>> products = document->components();
    if (document->product()) products.push_back(document->product());
    std::vector<std::shared_ptr<standin::Relations>> relations;
    if (document->part()) relations.push_back(document->part()->relations());
    for (const auto& product : products) {
      const auto& parameters =
          document->part() ? document->part()->parameters() : product->parameters();
      for (const std::string& name : kDefinitions) {
        if (!parameters->FindShort(name)) missing.push_back(product->part_number() + " " + name);
        if (!product->properties()->FindShort(name)) {
          missing.push_back(product->part_number() + " property " + name);
        }
      }
      if (!document->part()) relations.push_back(product->relations());
    }
    for (const std::string& name : kDefinitions) {
      bool found = false;
      for (const auto& held : relations) found = found || held->Find("Form_" + name) != nullptr;
      if (!found) missing.push_back(document->Name() + " Form_" + name);
    }
  }
  return missing;
}

TEST(FaultSweepTest, ARunAfterAnyOneHostFaultCompletesTheDocuments) {
  std::map<std::string, int> calls;
  {
    KelvortRun run;
    run.WriteUserSettings(kParameters);
    const auto journal = run.user_folder() / "journal.txt";
    ASSERT_EQ(
        run.RunAgainst({"--journal", journal.string(), run.Sample("Gearbox.CATProduct")}).status,
        0);
    calls = CallsByMember(journal);
  }
  const std::vector<std::string> points = FaultPoints(calls);
  ASSERT_GT(calls.size(), 20u);   // every member that the run uses is faulted
  ASSERT_LT(points.size(), 80u);  // bounded in time
  for (const std::string& fault : points) {
    SCOPED_TRACE(fault);
    KelvortRun run;
    run.WriteUserSettings(kParameters);
    run.RunAgainst({"--fault", fault, run.Sample("Gearbox.CATProduct")});
    const auto again = run.RunAgainst({run.Sample("Gearbox.CATProduct")});
    EXPECT_EQ(again.status, 0) << again.out;
    EXPECT_EQ(Missing(run.samples() / "Gearbox.CATProduct"), std::vector<std::string>{});
  }
  std::cout << points.size() << " faulted runs over " << calls.size() << " members:";
  for (const auto& [member, count] : calls) std::cout << " " << member << " " << count;
  std::cout << "\n";
}

}  // namespace
}  // namespace kelvort
