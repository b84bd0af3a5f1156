// The run report as one self-contained web page: a summary with the counts, then the
// structure as a tree with what each product and part gained, failures highlighted.
#pragma once

#include <string>
#include <string_view>

#include "report/run_record.h"

namespace kelvort {

// Text as element content or attribute value: markup characters escaped, and what no
// page may hold (control characters, broken UTF-8) shown as U+FFFD.
std::string HtmlEscaped(std::string_view text);

// A well-formed page (it parses as XML too) without scripts or outside resources. when is
// the time of the run as the user's regional settings write it.
std::string ReportHtml(const RunRecorder& record, std::string_view when);

}  // namespace kelvort
