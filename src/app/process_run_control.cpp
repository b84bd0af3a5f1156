// The run's control in the program's own process.
#include "app/process_run_control.h"

#include <iostream>

#include "host/late_binding.h"
#include "lang/language.h"
#include "log/procedure.h"
#include "platform/host_call_wait.h"
#include "util/text.h"

namespace kelvort {
namespace {

// The progress is shown at most this often: a host call each time, a few a second.
constexpr std::chrono::milliseconds kProgressInterval(250);
// A walk that has gone on this long shows the progress window: a short run shows none.
constexpr std::chrono::seconds kProgressWindowAfter(2);

}  // namespace

ProcessRunControl::ProcessRunControl(bool console)
    : console_(console), terminal_(StandardErrorIsTerminal()) {}

ProcessRunControl::~ProcessRunControl() {
  WatchHostAnswers(nullptr);
  EndLine();
  RunEnded();
}

bool ProcessRunControl::ClaimSingleRun(RunState&) {
  lock_ = kelvort::ClaimSingleRun();
  return lock_ != nullptr;
}

void ProcessRunControl::WalkBegins(RunState& state) {
  // Until the walk a stop ends the process as usual: nothing has been touched yet.
  CatchStopRequests();
  walk_began_ = std::chrono::steady_clock::now();
  progress_text_ = BoxText(state, "ProgressStatus");
  stop_caption_ = BoxText(state, "ProgressStop");
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(NoAnswerInterval());
  no_answer_text_ = FilledIn(BoxText(state, "ProgressNoAnswer"), {std::to_string(seconds.count())});
  // CATIA's status bar cannot name a CATIA that does not answer: standard error does.
  WatchHostAnswers(this);
  IgnoringErrors([&] { status_bar_before_ = Deref(state.CatiaApp).Get("StatusBar").ToText(); });
}

void ProcessRunControl::WalkEnded(RunState& state) {
  if (status_bar_written_ && status_bar_before_) {
    IgnoringErrors([&] { state.CatiaApp->Put("StatusBar", *status_bar_before_); });
  }
  shown_text_.clear();
  window_.reset();
  EndLine();
}

void ProcessRunControl::EndLine() {
  if (line_open_) std::cerr << std::endl;
  line_open_ = false;
}

bool ProcessRunControl::NodeReached(RunState& state, const DispatchPtr& node) {
  if (StopRequested()) return false;
  ++nodes_;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_shown_ >= kProgressInterval) {
    last_shown_ = now;
    ShowProgress(state, node);
  }
  return true;
}

void ProcessRunControl::ShowProgress(RunState& state, const DispatchPtr& node) {
  std::string name;
  IgnoringErrors([&] { name = TextMember(node, "Name"); });
  const std::string text = FilledIn(progress_text_, {std::to_string(nodes_), name});
  // The status bar only once its old text is known, so that it can be given back.
  if (status_bar_before_) {
    status_bar_written_ = true;
    IgnoringErrors([&] { state.CatiaApp->Put("StatusBar", text); });
  }
  shown_text_ = text;
  WriteLine(text);
  ShowInWindow(text);
}

void ProcessRunControl::WriteLine(const std::string& text) {
  if (!console_) return;
  if (terminal_) {
    // One line that rewrites itself: blanks cover the rest of a longer line before.
    std::cerr << "\r" << text
              << std::string(line_length_ > text.size() ? line_length_ - text.size() : 0, ' ')
              << std::flush;
    line_length_ = text.size();
    line_open_ = true;
  } else {
    std::cerr << text << std::endl;
  }
}

void ProcessRunControl::ShowInWindow(const std::string& text) {
  if (console_) return;
  if (!window_ && std::chrono::steady_clock::now() - walk_began_ >= kProgressWindowAfter) {
    window_ = OpenProgressWindow(stop_caption_);
  }
  if (window_) window_->Show(text);
}

void ProcessRunControl::HostDoesNotAnswer() {
  WriteLine(no_answer_text_);
  if (!shown_text_.empty()) ShowInWindow(no_answer_text_);
}

void ProcessRunControl::HostAnswersAgain() {
  // The walk's progress goes on where it was; outside the walk the note's line just ends.
  if (shown_text_.empty()) {
    EndLine();
  } else {
    WriteLine(shown_text_);
    ShowInWindow(shown_text_);
  }
}

}  // namespace kelvort
