// Running a step in a child process whose writes fail beyond a file size, to see what a
// write that breaks off half-way leaves behind.
#pragma once

#include <cstdint>
#include <functional>

namespace kelvort::testing {

// Runs the step in a forked child whose files may not grow beyond limit bytes; a write past
// the limit fails (SIGXFSZ is ignored) instead of killing the child. The step answers
// whether it succeeded; the result is its answer, false too when the child died.
bool SucceedsWithFileSizeLimit(uint64_t limit, const std::function<bool()>& step);

}  // namespace kelvort::testing
