// kelvort end to end when the session does not allow a run: no CATIA, two, no document, a
// drawing as the active document. No document is touched, and CATIA's display refresh,
// switched off once attached, is given back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/kelvort_run.h"
#include "support/recording_message_boxes.h"

namespace kelvort {
namespace {

constexpr const char* kNotExactlyOne =
    "[Aborted] Kelvort needs exactly one running CATIA session. Start CATIA, or close the other "
    "CATIA sessions, and run Kelvort again.\n";

TEST(RunSessionTest, ASessionThatAllowsNoRunStopsItWithItsBox) {
  const struct {
    const char* name;
    std::vector<std::vector<std::string>> catias;  // the samples' file names as given
    std::string out;
    int status;
    std::string error_log;
  } cases[] = {
      {"no CATIA", {}, kNotExactlyOne, 1, ""},
      {"two CATIAs", {{"Gearbox.CATProduct"}, {"--idle"}}, kNotExactlyOne, 1, ""},
      {"no document",
       {{"--no-document"}},
       "[Aborted] No document is open in CATIA. Open the product or part you want to prepare "
       "and run Kelvort again.\n",
       1,
       ""},
      {"a drawing",
       {{"Gearbox.CATDrawing", "Cover.CATPart"}},
       "[Aborted] The active document in CATIA is neither a product nor a part. Open the "
       "product or the part you want to prepare, make it the active document, and run Kelvort "
       "again.\n",
       1,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::KelvortRun run;
    const auto before = testing::FilesBelow(run.samples());
    const testing::TempDir journal_folder;
    const auto journal = journal_folder.path() / "journal.txt";
    std::vector<testing::ChildProcess*> catias;
    for (std::vector<std::string> args : c.catias) {
      for (std::string& arg : args) {
        if (!arg.starts_with("--")) arg = run.Sample(arg);
      }
      // The first one serves and is attached.
      if (catias.empty()) args.insert(args.begin(), {"--journal", journal.string()});
      catias.push_back(&run.StartCatia(args));
    }
    const auto result = run.Run();
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(run.ErrorLog(), c.error_log);
    // The serving stand-in writes back what changed; an idle one is ended with the test.
    if (!catias.empty()) {
      EXPECT_EQ(run.StopCatia(*catias.front()).status, 0);
      EXPECT_THAT(
          testing::JournalLinesWith(journal, "Display"),
          ::testing::ElementsAre("Application.RefreshDisplay", "Application.RefreshDisplay = False",
                                 "Application.RefreshDisplay = True"));
    }
    EXPECT_EQ(testing::FilesBelow(run.samples()), before);
  }
}

}  // namespace
}  // namespace kelvort
