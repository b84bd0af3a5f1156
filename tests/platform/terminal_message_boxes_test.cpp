#include "platform/terminal_message_boxes.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace kelvort {
namespace {

TEST(TerminalMessageBoxesTest, EveryKindOfLineBreakStartsAnIndentedLine) {
  EXPECT_EQ(TerminalBoxText("one", "Kelvort"), "[Kelvort] one\n");
  EXPECT_EQ(TerminalBoxText("a\r\nb\nc\rd\r\n\r\ne", "T"), "[T] a\n  b\n  c\n  d\n  \n  e\n");
  EXPECT_EQ(TerminalBoxText("", "Empty"), "[Empty] \n");
  EXPECT_EQ(TerminalBoxText("end\r\n", "T"), "[T] end\n  \n");
}

TEST(TerminalMessageBoxesTest, EachBoxIsWrittenWholeAndFlushed) {
  testing::TempDir dir;
  const auto file = dir.path() / "stdout";
  std::FILE* out = std::fopen(file.c_str(), "w");
  ASSERT_NE(out, nullptr);
  TerminalMessageBoxes boxes(out);
  boxes.Show("Main  5\r\nInvalid procedure call or argument", "Error - Version: 1.000.04");
  // Flushed: readable before the stream is closed.
  EXPECT_EQ(testing::ReadBytes(file),
            "[Error - Version: 1.000.04] Main  5\n  Invalid procedure call or argument\n");
  boxes.Show("Done", "Kelvort");
  std::fclose(out);
  EXPECT_EQ(testing::ReadBytes(file),
            "[Error - Version: 1.000.04] Main  5\n  Invalid procedure call or argument\n"
            "[Kelvort] Done\n");
}

}  // namespace
}  // namespace kelvort
