// Message boxes without a display: each box is written to standard output.
#include "platform/terminal_message_boxes.h"

namespace kelvort {

std::string TerminalBoxText(std::string_view text, std::string_view title) {
  std::string out = "[" + std::string(title) + "] ";
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\n  ";
    } else {
      out += c;
    }
  }
  out += '\n';
  return out;
}

void TerminalMessageBoxes::Show(std::string_view text, std::string_view title) {
  // A closed or full output must not end the program: the box then simply goes unseen.
  const std::string box = TerminalBoxText(text, title);
  std::fwrite(box.data(), 1, box.size(), out_);
  std::fflush(out_);
}

}  // namespace kelvort
