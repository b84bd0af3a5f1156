// The run with its options: the dry run and the report written at the run's end.
#include "app/run_report.h"

#include "app/check.h"
#include "app/run.h"
#include "app/windows_run.h"
#include "core/path_resolution.h"
#include "log/procedure.h"
#include "report/report_csv.h"
#include "report/report_format.h"
#include "report/report_html.h"
#include "report/run_record.h"
#include "settings/settings_file.h"
#include "util/date_time_text.h"

namespace kelvort {
namespace {

// Writes the report in one piece: the file holds either the whole report or what it held
// before. Writing it is an action of its own, so a failure reaches Error.log even after
// failures of the run. make_folder: the file's folder is made when missing.
void WriteRunReport(RunState& state, const RunRecorder& record, const std::string& file,
                    bool make_folder = false) {
  state.ErrorOccurred = false;
  Procedure(state, "WriteRunReport", Gate::kNone, [&] {
    if (file.empty()) Raise(errors::kPathNotFound, "The per-user folder is not known");
    if (make_folder) WalkFolderLevels(state.platform.files, FolderPart(file), true);
    const RegionalFormats& formats = state.platform.formats;
    std::string bytes;
    if (ReportFormatOf(file) == ReportFormat::kCsv) {
      bytes = ReportCsv(record, formats.list_separator);
    } else {
      const DateTime now = state.platform.clock.Now();
      bytes = ReportHtml(record, FormatDateTime(now, formats.short_date, formats) + " " +
                                     FormatDateTime(now, formats.long_time, formats));
    }
    state.platform.files.ReplaceFile(file, bytes);
  });
}

// Whether the report can be written, found out before the run touches a document: a
// failure is the one writing it would report.
bool ReportWritable(RunState& state, const std::string& file) {
  state.ErrorOccurred = false;
  Procedure(state, "WriteRunReport", Gate::kNone,
            [&] { state.platform.files.CheckReplaceable(file); });
  return !state.ErrorOccurred;
}

}  // namespace

int RunWithOptions(RunState& state, const CommandLine& options) {
  if (options.settings || options.window) return ShowWindows(state, options.window);
  if (options.check) return RunCheck(state, options.report);
  RunRecorder recorder(options.dry_run);
  state.recorder = &recorder;
  bool report_refused = false;
  int status = Main(state, [&] {
    report_refused = !options.report.empty() && !ReportWritable(state, options.report);
    return !report_refused;
  });
  const int failures_before = state.FailureCount;
  // Every run that reached the walk is on record as the last one, whatever was asked.
  if (recorder.walked()) WriteRunReport(state, recorder, LastRunFile(state), true);
  if (!options.report.empty() && !report_refused) WriteRunReport(state, recorder, options.report);
  if (state.FailureCount != failures_before) status = kExitFailureReported;
  state.recorder = nullptr;
  return status;
}

}  // namespace kelvort
