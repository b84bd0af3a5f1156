// The findings of kelvort --check as a file to send.
#include "report/check_report.h"

#include "report/report_html.h"

namespace kelvort {

std::string CheckReportHtml(std::string_view title, const std::vector<std::string>& lines) {
  const std::string heading = HtmlEscaped(title);
  std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\" /><title>" + heading +
                     "</title></head>\n<body><h1>" + heading + "</h1>\n<ul>\n";
  for (const std::string& line : lines) html += "<li>" + HtmlEscaped(line) + "</li>\n";
  return html + "</ul></body></html>\n";
}

std::string CheckReportText(std::string_view title, const std::vector<std::string>& lines) {
  std::string text = std::string(title) + "\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace kelvort
