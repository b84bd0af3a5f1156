// The error log: reports a failure in Error.log and in a message box.
#include "log/error_log.h"

#include <optional>

#include "core/path_resolution.h"
#include "report/run_record.h"
#include "util/date_time_text.h"
#include "util/text.h"

namespace kelvort {
namespace {

// Runs a step whose failure must neither escape nor be reported again.
template <typename Step>
void Quietly(Step&& step) {
  try {
    step();
  } catch (...) {
  }
}

// Three lines, each ended by CR LF: when and where, TAB number and description (each of
// its continuation lines begun by a TAB), and one space that closes the entry.
std::string Entry(const RunState& state, std::string_view procedure, const RunError& error) {
  const DateTime now = state.platform.clock.Now();
  const RegionalFormats& formats = state.platform.formats;
  return FormatDateTime(now, formats.short_date, formats) + " - " +
         FormatDateTime(now, formats.long_time, formats) + " - " + std::string(procedure) +
         "\r\n\t" + std::to_string(error.number()) + " - " +
         ReplaceLineBreaks(error.description(), "\r\n\t") + "\r\n \r\n";
}

// Error.log made ready as FileExists makes a file ready (missing folders and an empty file
// created), but without reporting: a failure here ends the attempt silently. Answers the
// file's normalised path when it is there.
std::optional<std::string> PrepareLogFile(RunState& state) {
  std::string file;
  std::string folder;
  NormalizePath(state, state.ErrorLogPath + "\\Error.log", file);
  NormalizePath(state, FolderPart(file), folder);
  if (!WalkFolderLevels(state.platform.files, folder, true) ||
      !TestFile(state.platform.files, file, true)) {
    return std::nullopt;
  }
  return file;
}

void WriteEntry(RunState& state, std::string_view procedure, const RunError& error) {
  // Until the settings name the folder there is no log: the name is never guessed, and in
  // particular never taken relative to the program's folder.
  if (state.ErrorLogPath.empty()) return;
  Quietly([&] {
    if (const auto file = PrepareLogFile(state)) {
      state.platform.files.AppendText(*file, Entry(state, procedure, error));
      ++state.ErrorLogEntries;
    }
  });
}

}  // namespace

void LogError(RunState& state, std::string_view procedure, const RunError& error) {
  // A call given up at the user's stop is no failure: the run was stopped.
  if (error.number() == errors::kHostCallAbandoned) {
    state.HostAbandoned = true;
    if (state.recorder) state.recorder->Stopped();
    return;
  }
  ++state.FailureCount;
  if (state.recorder)
    state.recorder->Failure(std::string(procedure), error.number(), error.description());
  if (!state.ErrorOccurred) {
    WriteEntry(state, procedure, error);
    state.ErrorOccurred = true;
  }
  if (state.WalkRunning) {
    if (state.WalkFailureShown) {
      ++state.FailureBoxesHeld;
      return;
    }
    state.WalkFailureShown = true;
  }
  const std::string title = "Error - Version: " + std::string(kVersion);
  const std::string text =
      std::string(procedure) + "  " + std::to_string(error.number()) + "\r\n" + error.description();
  Quietly([&] { state.platform.message_boxes.Show(text, title); });
}

}  // namespace kelvort
