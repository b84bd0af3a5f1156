// The findings of kelvort --check as a file to send: one web page, or plain text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvort {

// A well-formed page with the title as heading and one list item a line.
std::string CheckReportHtml(std::string_view title, const std::vector<std::string>& lines);
// The title, then one line a line, with Windows line breaks.
std::string CheckReportText(std::string_view title, const std::vector<std::string>& lines);

}  // namespace kelvort
