// The run's COM message filter. While a call to CATIA waits, COM asks the filter what to do:
// a call that CATIA rejects as busy (SERVERCALL_RETRYLATER, a modal dialog open in CATIA) is
// tried again for a bounded time instead of failing at once with RPC_E_CALL_REJECTED, and a
// call that waits for its answer is given up (RPC_E_CALL_CANCELED) when the user's stop asks
// it (platform/host_call_wait.h).
#pragma once

#include "platform/host_call_wait.h"
#include "platform/windows/win32.h"

namespace kelvort {

// How long a call that CATIA rejects as busy is tried again, and how long between tries.
inline constexpr DWORD kRetryRejectedFor = 60000;
inline constexpr DWORD kRetryRejectedAfter = 250;

// One call from the thread that registered the filter, from its start to its answer: the
// filter asks its wait what to do, and the thread is woken while it lasts, so that the filter
// is asked even when no window message arrives.
class OutgoingCall {
 public:
  OutgoingCall();
  ~OutgoingCall();
  OutgoingCall(const OutgoingCall&) = delete;
  OutgoingCall& operator=(const OutgoingCall&) = delete;

  HostCallWait& wait() { return wait_; }

 private:
  HostCallWait wait_;
  OutgoingCall* outer_;
};

// The filter, registered on the calling thread's apartment for the object's life.
class MessageFilter final : public IMessageFilter {
 public:
  MessageFilter();
  ~MessageFilter();
  MessageFilter(const MessageFilter&) = delete;
  MessageFilter& operator=(const MessageFilter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
  // The filter lives as long as its registration: COM's references do not own it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // The program serves no calls of its own; whatever comes is handled.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD call_type, HTASK caller, DWORD waited,
                                             LPINTERFACEINFO interface_info) override;
  // Milliseconds until the next try, or (DWORD)-1 to give the call up.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD waited, DWORD reject_type) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD waited, DWORD pending_type) override;

 private:
  bool registered_ = false;
  IMessageFilter* previous_ = nullptr;
  HANDLE ticker_ = nullptr;
};

}  // namespace kelvort
