// kelvort end to end when the session does not allow a run: no CATIA, two, no document, a
// drawing as the active document.
#include <gtest/gtest.h>

#include "support/kelvort_run.h"

namespace kelvort {
namespace {

using testing::KelvortRun;

constexpr const char* kNotExactlyOne =
    "[Aborted] Kelvort needs exactly one running CATIA session. Start CATIA, or close the other "
    "CATIA sessions, and run Kelvort again.\n";

TEST(RunSessionTest, WithoutCatiaTheRunStopsWithItsBox) {
  KelvortRun run;
  const auto result = run.Run();
  EXPECT_EQ(result.out, kNotExactlyOne);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(run.ErrorLog(), "");
}

TEST(RunSessionTest, TwoCatiasStopTheRunAndNoDocumentIsTouched) {
  KelvortRun run;
  const auto before = run.SampleFiles();
  auto& serving = run.StartCatia({run.Sample("Gearbox.CATProduct")});
  run.StartCatia({"--idle"});
  const auto result = run.Run();
  EXPECT_EQ(result.out, kNotExactlyOne);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(run.ErrorLog(), "");
  EXPECT_EQ(run.StopCatia(serving).status, 0);
  EXPECT_EQ(run.SampleFiles(), before);
}

TEST(RunSessionTest, ACatiaWithoutDocumentStopsTheRunWithItsBox) {
  KelvortRun run;
  const auto result = run.RunAgainst({"--no-document"});
  EXPECT_EQ(result.out,
            "[Aborted] No document is open in CATIA. Open the product or part you want to "
            "prepare and run Kelvort again.\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(run.ErrorLog(), "");
}

// A drawing has no Part to take: the failure is Main's own, logged, and the run ends there.
TEST(RunSessionTest, ADrawingAsActiveDocumentIsMainsFailure) {
  KelvortRun run;
  const auto before = run.SampleFiles();
  const auto result =
      run.RunAgainst({run.Sample("Gearbox.CATDrawing"), run.Sample("Cover.CATPart")});
  EXPECT_EQ(result.out,
            "[Error - Version: 1.000.04] Main  438\n"
            "  Object doesn't support this property or method\n");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(run.ErrorLog(),
            "Main\r\n\t438 - Object doesn't support this property or method\r\n \r\n");
  EXPECT_EQ(run.SampleFiles(), before);
}

}  // namespace
}  // namespace kelvort
