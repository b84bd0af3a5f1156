// The local date and time of day on Windows.
#include "platform/windows/clock.h"

#include "platform/windows/win32.h"

namespace kelvort {

DateTime WindowsClock::Now() const {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace kelvort
