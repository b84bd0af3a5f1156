// The run report's two files as other programs read them: the CSV through Python's csv
// module with an English and a German list separator, the page through an XML parser. The
// record holds what breaks careless writers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "report/report_csv.h"
#include "report/report_html.h"
#include "report/run_record.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Reads the CSV as a spreadsheet user's Python would (utf-8-sig takes the byte-order mark).
constexpr const char* kReadCsv = R"(
import csv, json, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as f:
    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2]))))
)";

// Parses the page strictly as XML; prints the texts of the failure and clash boxes and the
// numbers of list items and scripts.
constexpr const char* kReadHtml = R"(
import sys, json, xml.etree.ElementTree as ET
root = ET.fromstring(open(sys.argv[1], encoding="utf-8").read().split("\n", 1)[1])
texts = lambda kind: ["".join(e.itertext()) for e in root.iter("div") if e.get("class") == kind]
count = lambda tag: len(list(root.iter(tag)))
print(json.dumps({"failures": texts("failure"), "clashes": texts("clash"), "items": count("li"),
                  "scripts": count("script")}))
)";

nlohmann::json Python(const char* script, const std::vector<std::string>& args) {
  std::vector<std::string> all = {"-c", script};
  all.insert(all.end(), args.begin(), args.end());
  const auto result = testing::RunProcess("/usr/bin/python3", all);
  EXPECT_EQ(result.status, 0) << result.err;
  return nlohmann::json::parse(result.out.empty() ? "null" : result.out);
}

// A gearbox with a part below it: values with separators, quotes, line breaks, markup,
// a formula-looking text and non-ASCII letters; a parameter that took its user property's
// value, a clash and a failure at the part, and a failure of the run; the part placed a
// second time.
RunRecorder Record() {
  RunRecorder record(false);
  record.EnterNode("GB-1000");
  record.DescribeNode("Gearbox.CATProduct", "/d/Gearbox.CATProduct", "GB-1000");
  record.Added({ItemKind::kParameter, "Note", "String", "a;b,c \"quoted\"\r\nnext", {}, true});
  record.Added({ItemKind::kUserProperty, "Finish", "String", "=1+2", {"=1+2", " Matt"}});
  record.Existing(ItemKind::kFormula, "Form_Note");
  record.EnterNode("Housing <1>");
  record.DescribeNode("Gehäuse & Co.CATPart", "/d/Gehäuse.CATPart", "GB-1010");
  record.Added({ItemKind::kFormula, "Form_Note", "Formula", "Note", {}});
  record.Clash("Finish", "values differ: parameter <a>, user property =b");
  record.Failure("Set_Formulas", -2147467259, "Method 'CreateFormula' failed <b>\x01");
  record.LeaveNode(false);
  record.EnterNode("Housing <2>");  // the same part placed again
  record.DescribeNode("Gehäuse & Co.CATPart", "/d/Gehäuse.CATPart", "GB-1010");
  record.SameDefinitionAs("GB-1000/Housing <1>");
  record.LeaveNode(false);
  record.LeaveNode(false);
  record.Failure("Main", 91, "Object variable not set");
  return record;
}

TEST(ReportWritersTest, TheCsvReadsBackFieldForFieldWithEitherListSeparator) {
  const Rows expected = {
      {"GB-1000", "Gearbox.CATProduct", "GB-1000", "Parameter", "Note", "String",
       "a;b,c \"quoted\"\r\nnext", "", "added", "", "", "",
       "holds the value its user property had"},
      {"GB-1000", "Gearbox.CATProduct", "GB-1000", "User property", "Finish", "String", "'=1+2",
       "'=1+2, Matt", "added", "", "", "", ""},
      {"GB-1000/Housing <1>", "Gehäuse & Co.CATPart", "GB-1010", "Formula", "Form_Note", "Formula",
       "Note", "", "added", "", "", "", ""},
      {"GB-1000/Housing <1>", "Gehäuse & Co.CATPart", "GB-1010", "Clash", "Finish", "", "", "",
       "left unlinked", "Set_Formulas", "", "", "values differ: parameter <a>, user property =b"},
      {"GB-1000/Housing <1>", "Gehäuse & Co.CATPart", "GB-1010", "Failure", "", "", "", "",
       "failed", "Set_Formulas", "-2147467259", "Method 'CreateFormula' failed <b>\x01", ""},
      {"", "", "", "Failure", "", "", "", "", "failed", "Main", "91", "Object variable not set",
       ""},
  };
  const testing::TempDir dir;
  for (const std::string separator : {",", ";"}) {
    const auto file = dir.path() / "report.csv";
    const std::string csv = ReportCsv(Record(), separator);
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBFInstance path" + separator + "Document"));
    testing::WriteBytes(file, csv);
    const auto rows = Python(kReadCsv, {file.string(), separator}).get<Rows>();
    ASSERT_EQ(rows.size(), expected.size() + 1) << separator;
    EXPECT_EQ(Rows(rows.begin() + 1, rows.end()), expected) << separator;
  }
}

TEST(ReportWritersTest, ThePageIsWellFormedSelfContainedAndShowsEachFailureOnce) {
  const testing::TempDir dir;
  const auto file = dir.path() / "report.html";
  testing::WriteBytes(file, ReportHtml(Record(), "12/07/2026 <now>"));
  const auto page = Python(kReadHtml, {file.string()});
  EXPECT_EQ(page["items"], 3);  // the gearbox and both placements
  EXPECT_EQ(page["scripts"], 0);
  EXPECT_EQ(page["failures"],
            (nlohmann::json{
                "Main error 91: Object variable not set",
                "Set_Formulas at GB-1000/Housing <1> error -2147467259: Method 'CreateFormula' "
                "failed <b>\xEF\xBF\xBD",
            }));
  EXPECT_EQ(page["clashes"], nlohmann::json{"Finish left unlinked: values differ: parameter <a>, "
                                            "user property =b"});
  const std::string html = testing::ReadBytes(file);
  EXPECT_THAT(html, ::testing::HasSubstr("The same definition as GB-1000/Housing &lt;1&gt;, "));
  EXPECT_THAT(html, ::testing::HasSubstr("reached</td><td class=\"count\">3<"));
  EXPECT_THAT(html, ::testing::HasSubstr("among them</td><td class=\"count\">2<"));
  EXPECT_EQ(html.find("src="), std::string::npos);
  EXPECT_EQ(html.find("href="), std::string::npos);
}

}  // namespace
}  // namespace kelvort
