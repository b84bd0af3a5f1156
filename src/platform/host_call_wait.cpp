// The wait for a host call's answer, shared by the transports of both platforms.
#include "platform/host_call_wait.h"

#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace kelvort {
namespace {

constexpr std::chrono::seconds kDefaultNoAnswer(30);

HostAnswerWatcher* g_watcher = nullptr;

}  // namespace

void WatchHostAnswers(HostAnswerWatcher* watcher) {
  g_watcher = watcher;
}

std::chrono::milliseconds NoAnswerInterval() {
  // Read once: every call asks.
  static const std::chrono::milliseconds interval = [] {
    const char* seconds = std::getenv("KELVORT_NO_ANSWER_SECONDS");
    char* end = nullptr;
    const long value = seconds != nullptr ? std::strtol(seconds, &end, 10) : 0;
    if (seconds == nullptr || *end != '\0' || value <= 0)
      return std::chrono::milliseconds(kDefaultNoAnswer);
    return std::chrono::milliseconds(std::chrono::seconds(value));
  }();
  return interval;
}

RunError AbandonedCallError() {
  return RunError(
      errors::kHostCallAbandoned,
      "CATIA did not answer, and the call was given up when the run was asked to stop.");
}

HostCallWait::HostCallWait()
    : started_(std::chrono::steady_clock::now()), stopped_before_(StopRequested()) {}

HostCallWait::~HostCallWait() {
  if (told_no_answer_ && !abandoned_ && g_watcher != nullptr) g_watcher->HostAnswersAgain();
}

bool HostCallWait::MustAbandon() {
  const auto now = std::chrono::steady_clock::now();
  if (!told_no_answer_ && now - started_ >= NoAnswerInterval()) {
    told_no_answer_ = true;
    if (g_watcher != nullptr) g_watcher->HostDoesNotAnswer();
  }
  if (!StopRequested()) return false;
  if (!stop_seen_) stop_seen_ = now;
  abandoned_ = stopped_before_ ? told_no_answer_ : now - *stop_seen_ >= kStopGrace;
  return abandoned_;
}

}  // namespace kelvort
