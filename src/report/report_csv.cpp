// The run report as a table for spreadsheets.
#include "report/report_csv.h"

#include <vector>

#include "report/report_format.h"

namespace kelvort {
namespace {

bool PlainNumber(std::string_view text) {
  size_t i = (text.starts_with('-') || text.starts_with('+')) ? 1 : 0;
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// A field as a spreadsheet must read it: quoted when it holds the separator, a quote, a
// line break or surrounding blanks; a text that a spreadsheet would take for a formula
// (=, +, -, @ in front, and not a plain number) is kept as text by a leading apostrophe.
std::string Field(std::string_view text, std::string_view separator) {
  std::string value(text);
  if (!value.empty() && std::string_view("=+-@\t\r").find(value[0]) != std::string_view::npos &&
      !PlainNumber(value)) {
    value.insert(0, 1, '\'');
  }
  const bool quoted = value.find(separator) != std::string::npos ||
                      value.find_first_of("\"\r\n") != std::string::npos ||
                      (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  if (!quoted) return value;
  std::string out = "\"";
  for (const char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string Row(const std::vector<std::string>& fields, std::string_view separator) {
  std::string row;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) row += separator;
    row += Field(fields[i], separator);
  }
  return row + "\r\n";
}

std::string Joined(const std::vector<std::string>& values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + values[i];
  return text;
}

std::vector<std::string> FailureRow(const RecordedNode* node, const RecordedFailure& failure) {
  return {node ? node->instance_path : "",
          node ? node->document : "",
          node ? node->part_number : "",
          "Failure",
          failure.definition,
          "",
          "",
          "",
          "failed",
          failure.procedure,
          std::to_string(failure.number),
          failure.description,
          ""};
}

}  // namespace

std::string ReportCsv(const RunRecorder& record, std::string_view list_separator) {
  std::string csv = "\xEF\xBB\xBF";
  csv += Row({"Instance path", "Document", "Part number", "Item", "Name", "Type", "Value",
              "Permitted values", "Action", "Procedure", "Error number", "Error text", "Note"},
             list_separator);
  const std::string action(AddedAction(record));
  for (const RecordedNode& node : record.nodes()) {
    for (const RecordedItem& item : node.added) {
      csv += Row({node.instance_path, node.document, node.part_number,
                  std::string(ItemKindName(item.kind)), item.name, item.type, item.value,
                  Joined(item.permitted), action, "", "", "", std::string(ItemNote(item))},
                 list_separator);
    }
    for (const RecordedClash& clash : node.clashes) {
      csv += Row({node.instance_path, node.document, node.part_number, "Clash", clash.name, "", "",
                  "", std::string(ClashAction(record)), "Set_Formulas", "", "", clash.finding},
                 list_separator);
    }
    for (const RecordedFailure& failure : node.failures) {
      csv += Row(FailureRow(&node, failure), list_separator);
    }
  }
  for (const RecordedFailure& failure : record.run_failures()) {
    csv += Row(FailureRow(nullptr, failure), list_separator);
  }
  return csv;
}

}  // namespace kelvort
