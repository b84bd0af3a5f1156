// Two ways of sparing host calls must leave the run's outcome as it was. A formula looked up
// in the product's own formula collection before any search: the run does exactly what it
// did when the search alone decided. Each structure is walked twice (the first run creates,
// the second finds) as the run does it, and again from the same files with every look-up
// in a product's formula collection failing, so that the search decides every time. The
// documents written back, the messages, Error.log, the selections and the report (of a run
// and of a dry run) must be the same. And a definition handled once, at its first
// placement: the same outcome as when a host that refuses each document's first name read
// leaves the walk unable to tell definitions apart, so that it handles every placement.
#include <gtest/gtest.h>

#include <algorithm>

#include "bench/generated_structure.h"
#include "bench/real_structure.h"
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

// The host through a wrapper on every object it answers: one in which the formula
// collection of a product fails every look-up by name, or one in which a document reached
// from a reference product refuses its first FullName.
enum class Host { kPlain, kLookupsFailing, kNamesRefused };
class AlteredHost final : public Dispatch {
 public:
  AlteredHost(DispatchPtr inner, Host host, bool fails)
      : inner_(std::move(inner)), host_(host), fails_(fails) {}
  static DispatchPtr Wrap(const DispatchPtr& object, Host host, bool fails = false) {
    return object ? std::make_shared<AlteredHost>(object, host, fails) : object;
  }

  std::string TypeName() override { return inner_->TypeName(); }
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    const bool refuses = host_ == Host::kNamesRefused
                             ? member == "FullName"
                             : member == "Item" && args[0].kind() == Variant::Kind::kText;
    if (fails_ && refuses) {
      fails_ = host_ == Host::kLookupsFailing;
      Raise(errors::kHostFailure);
    }
    std::vector<Variant> unwrapped(args.begin(), args.end());
    for (Variant& arg : unwrapped) {
      const auto* wrapped =
          arg.IsObject() ? dynamic_cast<const AlteredHost*>(arg.ToObject().get()) : nullptr;
      if (wrapped) arg = Variant(wrapped->inner_);
    }
    const Variant result = inner_->Invoke(kind, member, unwrapped);
    if (!result.IsObject()) return result;
    const bool alters = host_ == Host::kLookupsFailing
                            ? member == "Relations" && TypeName() == "Product"
                            : member == "Parent" && reference_;
    const DispatchPtr answer = Wrap(result.ToObject(), host_, alters);
    static_cast<AlteredHost&>(*answer).reference_ = member == "ReferenceProduct";
    return Variant(answer);
  }

 private:
  DispatchPtr inner_;
  Host host_;
  bool fails_;
  bool reference_ = false;
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
  int failing_creation;  // the nth call of the member that the host refuses (0: none)
  const char* failing = "CreateFormula";
};

const std::vector<ParameterRow> kDefinitions = {{"Revision", "String", "A"},
                                                {"Finish", "None,Anodised,Painted", "None"},
                                                {"Quantity", "Integer", "2"},
                                                {"Released", "Boolean", "false"},
                                                {"Surface finish", "String", ""}};

// What the host served in two runs: its searches and all its calls.
struct Served {
  size_t searches = 0, calls = 0;
};

// Two runs over a fresh copy of the case's files.
std::vector<Outcome> TwoRuns(const Case& with, bool dry_run, Host host, Served& served) {
  const fs::path work = with.folder.parent_path() / "work";
  fs::remove_all(work);
  fs::copy(with.folder, work, fs::copy_options::recursive);
  const standin::ApplicationPtr app = standin::OpenApplication({work / with.top});
  if (with.failing_creation > 0) app->host()->faults().Add(with.failing, with.failing_creation);
  std::vector<Outcome> outcomes(2);
  for (Outcome& outcome : outcomes) {
    testing::TestPlatform test;
    RunState state(test.platform);
    Forms forms(state);
    state.ErrorLogPath = testing::ToWinPath(work);
    state.ParameterDefs = kDefinitions;
    state.CatiaApp = host == Host::kPlain ? app : AlteredHost::Wrap(app, host);
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
  served.searches = std::count_if(journal.begin(), journal.end(),
                                  [](const auto& entry) { return entry.member == "Search"; });
  served.calls = journal.size();
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
      Served searched, looked_up;
      const std::vector<Outcome> by_search = TwoRuns(with, dry, Host::kLookupsFailing, searched);
      EXPECT_EQ(TwoRuns(with, dry, Host::kPlain, looked_up), by_search);
      // Each definition is searched at most once a run, and the look-ups spare searches.
      EXPECT_LE(searched.searches, 2 * kDefinitions.size());
      EXPECT_LE(looked_up.searches, searched.searches);
      EXPECT_EQ(by_search[0].boxes.size(), with.failing_creation > 0 && !dry ? 1u : 0u);
      if (dry) {
        EXPECT_EQ(by_search[0].files, FilesBelow(with.folder));
      } else {
        EXPECT_NE(by_search[0].files, FilesBelow(with.folder)) << "the first run created nothing";
      }
    }
  }
}

// The gearbox places the bolt four times and the bearing in both shaft assemblies; the
// real-shaped structure places parts and sub-assemblies many times, and Sub_00003 (three
// times) and Std_Bolt (twelve times in each sub-assembly) are refused a creation at their
// first handling: they are handled again at their next placement.
TEST(FormulaLookupTest, ADefinitionHandledOnceEndsAsWhenEveryPlacementIsHandled) {
  const testing::TempDir dir;
  const fs::path gearbox = testing::CopySamples(dir.path());
  const fs::path real = bench::WriteRealShaped(dir.path() / "real" / "s", 250).top.parent_path();
  const Case cases[] = {{gearbox, "Gearbox.CATProduct", 0},
                        {real, "Top.CATProduct", 0},
                        {real, "Top.CATProduct", 13, "CreateString"},
                        {real, "Top.CATProduct", 122}};
  for (const Case& with : cases) {
    SCOPED_TRACE(with.top + ", refused " + with.failing + std::to_string(with.failing_creation));
    Served every_placement, once;
    // The records differ: one tells repeated placements apart, the other cannot.
    const auto without_record = [](std::vector<Outcome> outcomes) {
      for (Outcome& outcome : outcomes) outcome.record.clear();
      return outcomes;
    };
    const auto handled_once = without_record(TwoRuns(with, false, Host::kPlain, once));
    EXPECT_EQ(without_record(TwoRuns(with, false, Host::kNamesRefused, every_placement)),
              handled_once);
    const bool real_shaped = with.folder == real;  // the gearbox repeats little
    EXPECT_TRUE(!real_shaped || once.calls * 3 < every_placement.calls * 2) << "few left out";
    EXPECT_LT(once.calls, every_placement.calls);
    EXPECT_EQ(handled_once[0].boxes.size(), with.failing_creation > 0 ? 1u : 0u);
  }
}

}  // namespace
}  // namespace kelvort
