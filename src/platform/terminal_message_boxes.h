// Message boxes without a display: each box is written to standard output.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvort {

// What a box shows on the terminal: "[TITLE] " and the text, every line break of the text
// (CR LF, a lone LF or a lone CR) starting a new line indented by two spaces; one line end
// closes the box.
std::string TerminalBoxText(std::string_view text, std::string_view title);

// Writes each box and flushes it at once; the box then counts as closed with OK.
class TerminalMessageBoxes : public MessageBoxes {
 public:
  explicit TerminalMessageBoxes(std::FILE* out = stdout) : out_(out) {}
  void Show(std::string_view text, std::string_view title) override;

 private:
  std::FILE* out_;
};

}  // namespace kelvort
