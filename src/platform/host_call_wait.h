// What every transport does while a host call waits for its answer: after the no-answer
// interval the watcher hears that the host does not answer (CATIA frozen, or held by a modal
// dialog), and hears again when the answer comes; once the user has asked the run to stop, a
// call still unanswered after a short grace is abandoned.
#pragma once

#include <chrono>
#include <optional>

#include "util/run_error.h"

namespace kelvort {

// The no-answer interval: 30 s. KELVORT_NO_ANSWER_SECONDS, when set to a whole number of
// seconds, replaces it; it exists for the tests, which cannot afford to wait half a minute.
std::chrono::milliseconds NoAnswerInterval();

// A stop gives the call in hand this long to answer, so that the node in hand is finished
// whenever CATIA answers at all; a call still waiting then is given up. A call made after the
// stop (the document's update at the end) is given up only once CATIA does not answer.
inline constexpr std::chrono::milliseconds kStopGrace(3000);

// The failure of an abandoned call, and of every later call to the same host.
RunError AbandonedCallError();

// One host call's wait, from its start until the answer (the object's end).
class HostCallWait {
 public:
  // A transport looks at its wait at least this often while it waits.
  static constexpr std::chrono::milliseconds kLookInterval{200};

  HostCallWait();
  // A watcher told that the host does not answer hears that it answers again.
  ~HostCallWait();
  HostCallWait(const HostCallWait&) = delete;
  HostCallWait& operator=(const HostCallWait&) = delete;

  // Tells the watcher once the call has waited the no-answer interval; true when the call
  // must be given up (see kStopGrace).
  bool MustAbandon();

 private:
  std::chrono::steady_clock::time_point started_;
  bool stopped_before_;
  std::optional<std::chrono::steady_clock::time_point> stop_seen_;
  bool told_no_answer_ = false;
  bool abandoned_ = false;
};

}  // namespace kelvort
