// The run's control in the program's own process: the per-user single run, the stop
// asked by Ctrl+C or a signal (or the console's control events, or the progress window's
// Stop), and the progress in CATIA's status bar and, with --console, on standard error, or
// else, once the walk has gone on for two seconds, in the progress window where the
// platform has one; standard error and the window name a CATIA that does not answer too.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "core/run_control.h"
#include "platform/platform.h"

namespace kelvort {

class ProcessRunControl final : public RunControl, private HostAnswerWatcher {
 public:
  // console: the progress also goes to standard error.
  explicit ProcessRunControl(bool console);
  ~ProcessRunControl() override;

  bool ClaimSingleRun(RunState& state) override;
  void WalkBegins(RunState& state) override;
  void WalkEnded(RunState& state) override;
  bool NodeReached(RunState& state, const DispatchPtr& node) override;

 private:
  void ShowProgress(RunState& state, const DispatchPtr& node);
  // A line of progress on standard error, with --console.
  void WriteLine(const std::string& text);
  // The progress window's text, the window opened once the walk has gone on long enough.
  void ShowInWindow(const std::string& text);
  // Ends a line that rewrites itself on the terminal.
  void EndLine();
  void HostDoesNotAnswer() override;
  void HostAnswersAgain() override;

  bool console_;
  bool terminal_;
  std::unique_ptr<SingleRunLock> lock_;
  std::string progress_text_;
  std::string no_answer_text_;
  std::string stop_caption_;
  std::chrono::steady_clock::time_point walk_began_{};
  // Opened once the walk has gone on for two seconds, closed at its end; never with --console.
  std::unique_ptr<ProgressWindow> window_;
  // The walk's progress last shown, shown again when CATIA answers after all.
  std::string shown_text_;
  // The status bar's text before the run; none until it has been read.
  std::optional<std::string> status_bar_before_;
  bool status_bar_written_ = false;
  bool line_open_ = false;
  size_t line_length_ = 0;
  int nodes_ = 0;
  std::chrono::steady_clock::time_point last_shown_{};
};

}  // namespace kelvort
