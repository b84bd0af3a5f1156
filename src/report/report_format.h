// The kinds of run report and the words they share.
#pragma once

#include <optional>
#include <string_view>

#include "report/run_record.h"

namespace kelvort {

enum class ReportFormat { kCsv, kHtml };

// The report's kind by the file's extension (.csv, .html or .htm, any letter case).
std::optional<ReportFormat> ReportFormatOf(std::string_view file);

// "Parameter", "User property", "Formula".
std::string_view ItemKindName(ItemKind kind);

// What happened to an added item: "added", or in a dry run "would add".
std::string_view AddedAction(const RunRecorder& record);
// What happened to a definition whose formula clashed: "left unlinked", or in a dry run
// "would leave unlinked".
std::string_view ClashAction(const RunRecorder& record);
// The note on an added item: that a parameter took its user property's value, or nothing.
std::string_view ItemNote(const RecordedItem& item);

}  // namespace kelvort
