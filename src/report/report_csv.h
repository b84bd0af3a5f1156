// The run report as a table for spreadsheets: one row an added or failed item.
#pragma once

#include <string>
#include <string_view>

#include "report/run_record.h"

namespace kelvort {

// UTF-8 with a byte-order mark, fields separated by the regional list separator and rows
// ended by CR LF, so that a spreadsheet opens it as it is in the user's locale. A failure
// outside the walk has empty node columns.
std::string ReportCsv(const RunRecorder& record, std::string_view list_separator);

}  // namespace kelvort
