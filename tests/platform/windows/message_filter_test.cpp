// The run's COM message filter: registered for its life and revoked after, a call that the
// server rejects as busy tried again for a bounded time, one it refuses for good given up.
#include "platform/windows/message_filter.h"

#include <gtest/gtest.h>

#include "platform/windows/com_apartment.h"

namespace kelvort {
namespace {

constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

// The filter registered on this thread, put back as it was.
IMessageFilter* RegisteredFilter() {
  IMessageFilter* registered = nullptr;
  ::CoRegisterMessageFilter(nullptr, &registered);
  IMessageFilter* none = nullptr;
  ::CoRegisterMessageFilter(registered, &none);
  if (registered != nullptr) registered->Release();
  return registered;
}

TEST(MessageFilterTest, RetriesABusyServerForABoundedTimeWhileRegistered) {
  const ComApartment apartment;
  {
    MessageFilter filter;
    EXPECT_EQ(RegisteredFilter(), &filter);
    IMessageFilter* asked = nullptr;
    ASSERT_EQ(filter.QueryInterface(IID_IMessageFilter, reinterpret_cast<void**>(&asked)), S_OK);
    EXPECT_EQ(asked, &filter);

    EXPECT_EQ(filter.RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), kRetryRejectedAfter);
    EXPECT_EQ(filter.RetryRejectedCall(nullptr, kRetryRejectedFor - 1, SERVERCALL_RETRYLATER),
              kRetryRejectedAfter);
    EXPECT_EQ(filter.RetryRejectedCall(nullptr, kRetryRejectedFor, SERVERCALL_RETRYLATER), kGiveUp);
    EXPECT_EQ(filter.RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), kGiveUp);
    // No stop asked: a waiting call goes on waiting, its messages dispatched.
    const OutgoingCall call;
    EXPECT_EQ(filter.MessagePending(nullptr, 5000, PENDINGTYPE_TOPLEVEL),
              DWORD{PENDINGMSG_WAITDEFPROCESS});
  }
  EXPECT_EQ(RegisteredFilter(), nullptr);
}

}  // namespace
}  // namespace kelvort
