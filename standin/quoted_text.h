// A text in double quotes on one line, for the journal and the printed tree.
#pragma once

#include <string>
#include <string_view>

namespace kelvort::standin {

// "text", with a quote doubled and control characters escaped (\n, \r, \t, \xNN).
std::string QuotedText(std::string_view text);

}  // namespace kelvort::standin
