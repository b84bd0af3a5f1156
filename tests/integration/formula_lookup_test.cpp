// A formula looked up in the product's own formula collection before any search: the run
// does exactly what it did when the search alone decided. Each structure is walked twice
// (the first run creates, the second finds) as the run does it, and again from the same
// files with every look-up in a product's formula collection failing, so that the search
// decides every time. The documents written back, the messages, Error.log, the selections
// and the report (of a run and of a dry run) must be the same.
#include <gtest/gtest.h>

#include <algorithm>

#include "bench/generated_structure.h"
#include "document_files.h"
#include "forms/forms.h"
#include "host/late_binding.h"
#include "parameters/set_informations.h"
#include "report/report_csv.h"
#include "report/report_html.h"
#include "selection.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort {
namespace {

namespace fs = std::filesystem;

// The host through a wrapper on every object it answers, in which the formula collection
// of a product fails every look-up by name.
class ProductLookupsFailing final : public Dispatch {
 public:
  ProductLookupsFailing(DispatchPtr inner, bool fails) : inner_(std::move(inner)), fails_(fails) {}
  static DispatchPtr Wrap(const DispatchPtr& object, bool fails = false) {
    return object ? std::make_shared<ProductLookupsFailing>(object, fails) : object;
  }

  std::string TypeName() override { return inner_->TypeName(); }
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    if (fails_ && member == "Item" && args[0].kind() == Variant::Kind::kText) {
      Raise(errors::kHostFailure);
    }
    std::vector<Variant> unwrapped(args.begin(), args.end());
    for (Variant& arg : unwrapped) {
      const auto* wrapped = arg.IsObject()
                                ? dynamic_cast<const ProductLookupsFailing*>(arg.ToObject().get())
                                : nullptr;
      if (wrapped) arg = Variant(wrapped->inner_);
    }
    const Variant result = inner_->Invoke(kind, member, unwrapped);
    if (!result.IsObject()) return result;
    return Variant(Wrap(result.ToObject(), member == "Relations" && TypeName() == "Product"));
  }

 private:
  DispatchPtr inner_;
  bool fails_;
};

using Files = std::map<std::string, std::string>;
using testing::FilesBelow;

struct Outcome {
  Files files;  // Error.log included
  std::vector<testing::ShownBox> boxes;
  std::string record;            // the report as a table and as a page
  std::vector<size_t> selected;  // by document
  bool operator==(const Outcome&) const = default;
};

struct Case {
  fs::path folder;
  std::string top;
  int failing_creation;  // the formula creation that the host refuses (0: none)
};

const std::vector<ParameterRow> kDefinitions = {{"Revision", "String", "A"},
                                                {"Finish", "None,Anodised,Painted", "None"},
                                                {"Quantity", "Integer", "2"},
                                                {"Released", "Boolean", "false"},
                                                {"Surface finish", "String", ""}};

// Two runs over a fresh copy of the case's files; searches counts the searches made.
std::vector<Outcome> TwoRuns(const Case& with, bool dry_run, bool search_only, size_t& searches) {
  const fs::path work = with.folder.parent_path() / "work";
  fs::remove_all(work);
  fs::copy(with.folder, work, fs::copy_options::recursive);
  const standin::ApplicationPtr app = standin::OpenApplication({work / with.top});
  if (with.failing_creation > 0) app->host()->faults().Add("CreateFormula", with.failing_creation);
  std::vector<Outcome> outcomes(2);
  for (Outcome& outcome : outcomes) {
    testing::TestPlatform test;
    RunState state(test.platform);
    Forms forms(state);
    state.ErrorLogPath = testing::ToWinPath(work);
    state.ParameterDefs = kDefinitions;
    state.CatiaApp = search_only ? ProductLookupsFailing::Wrap(app) : app;
    RunRecorder recorder(dry_run);
    state.recorder = &recorder;
    const DispatchPtr document = ObjectMember(state.CatiaApp, "ActiveDocument");
    SetInformations(state, ObjectMember(document, "Product"), nullptr,
                    ObjectMember(document, "Selection"));
    standin::SaveChangedDocuments(*app);
    outcome.files = FilesBelow(work);
    fs::remove(work / "Error.log");
    outcome.boxes = test.message_boxes.boxes;
    outcome.record = ReportCsv(recorder, ";") + ReportHtml(recorder, "today");
    // The searches go through the active document's selection, which the walk also uses
    // for its parts and the run sets afresh after it: only the other documents' count.
    for (const auto& open : app->documents()) {
      if (open != app->active()) outcome.selected.push_back(open->selection()->items().size());
    }
  }
  const auto& journal = app->host()->journal().entries();
  searches = std::count_if(journal.begin(), journal.end(),
                           [](const auto& entry) { return entry.member == "Search"; });
  return outcomes;
}

TEST(FormulaLookupTest, ARunDoesTheSameWhetherALookUpOrTheSearchFindsAFormula) {
  const testing::TempDir dir;
  // The gearbox: a component inside the product document, a sub-assembly and parts in
  // documents of their own, formulas in the root product and in parts. The generated
  // structure: sub-assembly documents of parts and a library of 100 components.
  const fs::path gearbox = testing::CopySamples(dir.path());
  const fs::path generated =
      bench::WriteStructure(dir.path() / "generated" / "structure", 20).parent_path();
  const Case cases[] = {{gearbox, "Gearbox.CATProduct", 0},
                        {gearbox, "Gearbox.CATProduct", 3},
                        {generated, "Top.CATProduct", 0}};
  for (const Case& with : cases) {
    for (const bool dry : {false, true}) {
      SCOPED_TRACE(with.top + ", creation refused " + std::to_string(with.failing_creation) +
                   (dry ? ", dry run" : ""));
      size_t searched = 0, looked_up = 0;
      const std::vector<Outcome> by_search = TwoRuns(with, dry, true, searched);
      const std::vector<Outcome> by_look_up = TwoRuns(with, dry, false, looked_up);
      EXPECT_EQ(by_look_up, by_search);
      // Each definition is searched at most once a run.
      EXPECT_LE(searched, 2 * kDefinitions.size());
      EXPECT_EQ(by_search[0].boxes.size(), with.failing_creation > 0 && !dry ? 1u : 0u);
      if (dry) {
        EXPECT_EQ(by_search[0].files, FilesBelow(with.folder));
      } else {
        EXPECT_NE(by_search[0].files, FilesBelow(with.folder)) << "the first run created nothing";
      }
    }
  }
}

}  // namespace
}  // namespace kelvort
