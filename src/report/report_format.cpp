// The kinds of run report and the words they share.
#include "report/report_format.h"

#include "util/text.h"

namespace kelvort {

std::optional<ReportFormat> ReportFormatOf(std::string_view file) {
  const size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string extension = ToLower(file.substr(dot));
  if (extension == ".csv") return ReportFormat::kCsv;
  if (extension == ".html" || extension == ".htm") return ReportFormat::kHtml;
  return std::nullopt;
}

std::string_view ItemKindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::kParameter:
      return "Parameter";
    case ItemKind::kUserProperty:
      return "User property";
    case ItemKind::kFormula:
      return "Formula";
  }
  return {};
}

std::string_view AddedAction(const RunRecorder& record) {
  return record.dry_run() ? "would add" : "added";
}

std::string_view ClashAction(const RunRecorder& record) {
  return record.dry_run() ? "would leave unlinked" : "left unlinked";
}

std::string_view ItemNote(const RecordedItem& item) {
  return item.took_user_value ? "holds the value its user property had" : "";
}

}  // namespace kelvort
