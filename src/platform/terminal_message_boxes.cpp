// Message boxes without a display: each box is written to standard output.
#include "platform/terminal_message_boxes.h"

#include "util/text.h"

namespace kelvort {

std::string TerminalBoxText(std::string_view text, std::string_view title) {
  return "[" + std::string(title) + "] " + ReplaceLineBreaks(text, "\n  ") + "\n";
}

void TerminalMessageBoxes::Show(std::string_view text, std::string_view title) {
  // A closed or full output must not end the program: the box then simply goes unseen.
  const std::string box = TerminalBoxText(text, title);
  std::fwrite(box.data(), 1, box.size(), out_);
  std::fflush(out_);
}

}  // namespace kelvort
