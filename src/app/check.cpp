// kelvort --check.
#include "app/check.h"

#include "app/check_text.h"
#include "app/host_check.h"
#include "app/run.h"
#include "core/path_resolution.h"
#include "form_state/form_state.h"
#include "forms/forms.h"
#include "forms/frm_settings.h"
#include "lang/lang_check.h"
#include "lang/language.h"
#include "log/procedure.h"
#include "parameters/definition_checks.h"
#include "report/check_report.h"
#include "report/report_format.h"
#include "settings/settings_file.h"
#include "settings/settings_paths_check.h"
#include "settings/xml_file_check.h"

namespace kelvort {
namespace {

// A file's path with its ".." steps folded, as a user finds it; as given when it does not
// resolve.
std::string ShownPath(RunState& state, const std::string& path) {
  std::string shown;
  return IgnoringErrors([&] { NormalizePath(state, path, shown); }) ? shown : path;
}

std::string FindingLine(RunState& state, const CheckFinding& finding) {
  const std::string text = FilledText(state, finding.key, finding.values);
  const std::string file = ShownPath(state, finding.file);
  if (finding.line == 0) return FilledText(state, "CheckInFile", {file, text});
  return FilledText(state, "CheckAtLine", {file, std::to_string(finding.line), text});
}

// The Settings.xml a run would read: the one of the folder the mode gives, or, while that
// folder has none yet, the shared one a run would copy there first.
std::string SettingsFileInUse(RunState& state) {
  std::string file = state.SettingsPath + "\\Settings.xml";
  if (state.platform.files.FileExists(file)) return file;
  return SharedConfigFolder(state) + "\\Settings.xml";
}

void CheckSettings(RunState& state, CheckFindings& findings) {
  const std::string shared_file = SharedConfigFolder(state) + "\\Settings.xml";
  const std::string in_use = SettingsFileInUse(state);
  CheckFindings shared_findings;
  const XmlDocument shared = CheckedXmlFile(state.platform.files, shared_file,
                                            in_use == shared_file ? findings : shared_findings);
  // A shared file that is missing or broken matters only as the settings in use.
  if (in_use != shared_file) {
    for (CheckFinding& finding : shared_findings) {
      if (finding.key != "CheckFileUnreadable") findings.push_back(std::move(finding));
    }
  }
  if (shared.FirstChild()) CheckSettingsPaths(state, shared, shared_file, findings);
  const XmlDocument settings = in_use == shared_file
                                   ? XmlDocument()
                                   : CheckedXmlFile(state.platform.files, in_use, findings);
  const XmlDocument& definitions = in_use == shared_file ? shared : settings;
  if (definitions.FirstChild()) CheckDefinitions(state, definitions, in_use, findings);
}

void WriteCheckReport(RunState& state, const std::string& file, const std::string& title,
                      const std::vector<std::string>& lines) {
  Procedure(state, "WriteCheckReport", Gate::kNone, [&] {
    const bool page = ReportFormatOf(file) == ReportFormat::kHtml;
    state.platform.files.ReplaceFile(
        file, page ? CheckReportHtml(title, lines) : CheckReportText(title, lines));
  });
}

}  // namespace

int RunCheck(RunState& state, const std::string& report_file) {
  GetGlobalSettings(state);
  state.ErrorOccurred = false;
  ReadSettings(state, FormsOf(state).frmSettings());
  const int failures_before = state.FailureCount;

  CheckFindings findings;
  CheckSettings(state, findings);
  CheckLangFile(state, findings);
  const std::vector<std::string> host = CheckHost(state, findings);

  state.ErrorOccurred = false;
  std::vector<std::string> lines;
  for (const CheckFinding& finding : findings) lines.push_back(FindingLine(state, finding));
  lines.insert(lines.end(), host.begin(), host.end());
  const std::string summary =
      findings.empty() ? GetRightLangText(state, "CheckNothingWrong")
                       : FilledText(state, "CheckFoundProblems", {std::to_string(findings.size())});
  lines.insert(lines.begin(), summary);
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  const std::string title = std::string(kProductName) + " --check";
  state.platform.message_boxes.Show(text, title);
  if (!report_file.empty()) WriteCheckReport(state, report_file, title, lines);
  FormsOf(state).Unload(FormId::kMain);
  if (state.FailureCount != failures_before) return kExitFailureReported;
  return findings.empty() ? kExitSuccess : kExitStoppedEarly;
}

}  // namespace kelvort
