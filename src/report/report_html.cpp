// The run report as one self-contained web page.
#include "report/report_html.h"

#include "report/report_format.h"
#include "util/text.h"

namespace kelvort {
namespace {

constexpr std::string_view kStyle = R"(
body { font: 14px/1.45 "Segoe UI", Arial, sans-serif; color: #222; margin: 24px 32px; }
h1 { font-size: 20px; margin: 0 0 4px; }
h2 { font-size: 16px; margin: 24px 0 8px; }
.meta { color: #666; margin: 0 0 16px; }
.dry { background: #fff6d6; border: 1px solid #e6c84f; padding: 6px 10px; display: inline-block; }
table { border-collapse: collapse; }
.summary td { padding: 3px 14px 3px 0; }
.summary td.count { text-align: right; font-weight: 600; }
ul.tree, ul.tree ul { list-style: none; margin: 0; padding-left: 22px; border-left: 1px dotted #bbb; }
ul.tree { padding-left: 0; border-left: none; }
li { margin: 6px 0; }
.node { font-weight: 600; }
.doc, .pn { font-weight: normal; color: #555; margin-left: 10px; }
.items { margin: 4px 0 2px; font-size: 13px; }
.items th { text-align: left; color: #555; font-weight: normal; border-bottom: 1px solid #ddd; padding: 1px 12px 1px 0; }
.items td { padding: 1px 12px 1px 0; }
.existing, .nothing, .same { color: #777; font-size: 13px; margin: 2px 0; }
.failure { background: #fde8e8; border-left: 4px solid #c62828; padding: 4px 8px; margin: 4px 0; font-size: 13px; white-space: pre-wrap; }
.failed > .node { color: #c62828; }
.clash { background: #fff3e0; border-left: 4px solid #ef6c00; padding: 4px 8px; margin: 4px 0; font-size: 13px; }
.summary tr.failures td { color: #c62828; }
)";

// The next character of UTF-8 text, or U+FFFD for a byte that starts no valid one.
char32_t NextCharacter(std::string_view text, size_t& i) {
  const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char first = byte(i++);
  if (first < 0x80) return first;
  const int length = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : first >= 0xC2 ? 1 : -1;
  if (length < 0 || first > 0xF4 || i + length > text.size()) return 0xFFFD;
  char32_t value = first & (0x3F >> length);
  for (int k = 0; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0xFFFD;
    value = (value << 6) | (byte(i + k) & 0x3F);
  }
  const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
  if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return 0xFFFD;
  }
  i += length;
  return value;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const char32_t c = NextCharacter(text, i);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        const bool allowed = c >= 0x20 || c == '\t' || c == '\n' || c == '\r';
        AppendUtf8(out, allowed && c != 0xFFFE && c != 0xFFFF && (c < 0x7F || c > 0x9F)
                            ? c
                            : char32_t{0xFFFD});
    }
  }
  return out;
}

namespace {

std::string Joined(const std::vector<std::string>& values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + values[i];
  return text;
}

// A failure with where it happened: the node's instance path and the definition in hand.
std::string Failure(const RecordedFailure& failure, const RecordedNode* node = nullptr) {
  std::string where;
  if (node) where += " at " + HtmlEscaped(node->instance_path);
  if (!failure.definition.empty()) where += ", definition " + HtmlEscaped(failure.definition);
  return "<div class=\"failure\"><b>" + HtmlEscaped(failure.procedure) + "</b>" + where +
         " error " + std::to_string(failure.number) + ": " + HtmlEscaped(failure.description) +
         "</div>\n";
}

std::string Ending(const RunRecorder& record) {
  if (record.stopped()) {
    const std::string last = record.nodes().empty() ? "" : record.nodes().back().instance_path;
    return "the run was stopped at the user's request after " +
           std::to_string(record.nodes().size()) + " products and parts, the last " +
           HtmlEscaped(last);
  }
  return record.completed() ? "the run went through to its end" : "the run stopped before its end";
}

std::string SummaryRow(std::string_view label, int count, std::string_view row_class = {}) {
  std::string row = "<tr";
  if (!row_class.empty()) row += " class=\"" + std::string(row_class) + "\"";
  return row + "><td>" + std::string(label) + "</td><td class=\"count\">" + std::to_string(count) +
         "</td></tr>\n";
}

std::string Summary(const RunRecorder& record) {
  const RecordTotals totals = record.Totals();
  const bool dry = record.dry_run();
  std::string html = "<table class=\"summary\">\n";
  html += SummaryRow("Placements of products and parts reached", totals.nodes);
  html += SummaryRow("Distinct documents and components among them", totals.definitions);
  html += SummaryRow(dry ? "Parameters a run would add" : "Parameters added", totals.parameters);
  html += SummaryRow(dry ? "User properties a run would add" : "User properties added",
                     totals.user_properties);
  html += SummaryRow(dry ? "Formulas a run would add" : "Formulas added", totals.formulas);
  html += SummaryRow("Already there, left as they were", totals.existing);
  html += SummaryRow("Failures", totals.failures, totals.failures > 0 ? "failures" : "");
  html += SummaryRow(dry ? "Definitions a run would leave unlinked" : "Definitions left unlinked",
                     totals.clashes);
  return html + "</table>\n";
}

std::string NodeContent(const RunRecorder& record, const RecordedNode& node) {
  std::string html = "<div class=\"node\">" +
                     HtmlEscaped(node.instance_path.substr(node.instance_path.rfind('/') + 1));
  if (!node.document.empty())
    html += "<span class=\"doc\">" + HtmlEscaped(node.document) + "</span>";
  if (!node.part_number.empty()) {
    html += "<span class=\"pn\">part number " + HtmlEscaped(node.part_number) + "</span>";
  }
  html += "</div>\n";
  if (!node.same_definition_as.empty()) {
    html += "<p class=\"same\">The same definition as " + HtmlEscaped(node.same_definition_as) +
            ", handled there: left as it is.</p>\n";
  }
  if (!node.added.empty()) {
    html += "<table class=\"items\"><tr><th>" +
            std::string(record.dry_run() ? "Would add" : "Added") +
            "</th><th>Name</th><th>Type</th><th>Value</th><th>Permitted values</th><th>Note</th>"
            "</tr>\n";
    for (const RecordedItem& item : node.added) {
      html += "<tr><td>" + std::string(ItemKindName(item.kind)) + "</td><td>" +
              HtmlEscaped(item.name) + "</td><td>" + HtmlEscaped(item.type) + "</td><td>" +
              HtmlEscaped(item.value) + "</td><td>" + HtmlEscaped(Joined(item.permitted)) +
              "</td><td>" + std::string(ItemNote(item)) + "</td></tr>\n";
    }
    html += "</table>\n";
  } else if (node.failures.empty() && node.clashes.empty() && node.same_definition_as.empty()) {
    html += "<p class=\"nothing\">Nothing to add.</p>\n";
  }
  if (!node.existing.empty()) {
    std::vector<std::string> names;
    for (const auto& [kind, name] : node.existing) {
      names.push_back(name + " (" + ToLower(ItemKindName(kind)) + ")");
    }
    html += "<p class=\"existing\">Already there: " + HtmlEscaped(Joined(names)) + "</p>\n";
  }
  for (const RecordedClash& clash : node.clashes) {
    html += "<div class=\"clash\"><b>" + HtmlEscaped(clash.name) + "</b> " +
            std::string(ClashAction(record)) + ": " + HtmlEscaped(clash.finding) + "</div>\n";
  }
  for (const RecordedFailure& failure : node.failures) html += Failure(failure, &node);
  return html;
}

// The nodes, given in the order of the walk with their depths, as nested lists.
std::string Tree(const RunRecorder& record) {
  std::string html;
  int open = 0;  // lists open
  for (const RecordedNode& node : record.nodes()) {
    const int depth = node.depth + 1;
    if (depth > open) {
      for (; open < depth; ++open) html += open == 0 ? "<ul class=\"tree\">\n" : "<ul>\n";
    } else {
      html += "</li>\n";
      for (; open > depth; --open) html += "</ul>\n</li>\n";
    }
    html += node.failures.empty() ? "<li>" : "<li class=\"failed\">";
    html += NodeContent(record, node);
  }
  for (; open > 0; --open) html += "</li>\n</ul>\n";
  return html;
}

}  // namespace

std::string ReportHtml(const RunRecorder& record, std::string_view when) {
  const std::string root = record.nodes().empty() ? std::string() : record.nodes().front().document;
  const bool dry = record.dry_run();
  const std::string title =
      std::string(dry ? "Kelvort dry run" : "Kelvort run") + (root.empty() ? "" : ": " + root);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\" />\n<title>" +
      HtmlEscaped(title) + "</title>\n<style>" + std::string(kStyle) +
      "</style>\n</head>\n<body>\n";
  html += "<h1>" + HtmlEscaped(title) + "</h1>\n";
  html += "<p class=\"meta\">" + HtmlEscaped(when) + " &#183; " + Ending(record) + "</p>\n";
  if (record.assembly_loaded()) {
    html +=
        "<p class=\"meta\">The assembly was put in design mode before the walk, which loads "
        "the documents of components that a cache-mode session had not loaded.</p>\n";
  }
  if (dry) {
    html +=
        "<p class=\"dry\">Dry run: nothing has been changed. This is what a run would "
        "add.</p>\n";
  }
  html += "<h2>Summary</h2>\n" + Summary(record);
  for (const RecordedFailure& failure : record.run_failures()) html += Failure(failure);
  html += "<h2>Structure</h2>\n";
  html += record.nodes().empty() ? "<p class=\"nothing\">The walk reached nothing.</p>\n"
                                 : Tree(record);
  return html + "</body>\n</html>\n";
}

}  // namespace kelvort
