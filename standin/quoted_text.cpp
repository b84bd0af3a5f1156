// A text in double quotes on one line.
#include "quoted_text.h"

#include <cstdio>

namespace kelvort::standin {

std::string QuotedText(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"') {
      out += "\"\"";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
  return out;
}

}  // namespace kelvort::standin
