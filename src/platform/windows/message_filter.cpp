// The run's COM message filter and the ticker that wakes a waiting call.
#include "platform/windows/message_filter.h"

#include <atomic>

namespace kelvort {
namespace {

constexpr DWORD kGiveUp = static_cast<DWORD>(-1);

// The innermost call in hand on the filter's thread; null between calls.
OutgoingCall* g_current_call = nullptr;
// When that call began (GetTickCount64), 0 between calls, and the thread that makes it: the
// ticker reads them from its own thread.
std::atomic<ULONGLONG> g_call_began{0};
std::atomic<DWORD> g_calling_thread{0};

// Runs on a thread of the timer queue: a call that has waited a while gets an empty message
// posted to its thread, which makes COM ask the filter.
void CALLBACK Tick(void*, BOOLEAN) {
  const ULONGLONG began = g_call_began;
  const auto look = static_cast<ULONGLONG>(HostCallWait::kLookInterval.count());
  if (began != 0 && ::GetTickCount64() - began >= look) {
    ::PostThreadMessageW(g_calling_thread, WM_NULL, 0, 0);
  }
}

}  // namespace

OutgoingCall::OutgoingCall() : outer_(g_current_call) {
  g_current_call = this;
  if (outer_ == nullptr) g_call_began = ::GetTickCount64();
}

OutgoingCall::~OutgoingCall() {
  g_current_call = outer_;
  if (outer_ == nullptr) g_call_began = 0;
}

MessageFilter::MessageFilter() {
  g_calling_thread = ::GetCurrentThreadId();
  registered_ = SUCCEEDED(::CoRegisterMessageFilter(this, &previous_));
  const DWORD interval = static_cast<DWORD>(HostCallWait::kLookInterval.count());
  if (registered_ &&
      !::CreateTimerQueueTimer(&ticker_, nullptr, Tick, nullptr, interval, interval, 0)) {
    ticker_ = nullptr;
  }
}

MessageFilter::~MessageFilter() {
  // Waits for a tick in progress, so that none runs once the filter is gone.
  if (ticker_ != nullptr) ::DeleteTimerQueueTimer(nullptr, ticker_, INVALID_HANDLE_VALUE);
  if (registered_) ::CoRegisterMessageFilter(previous_, nullptr);
  if (previous_ != nullptr) previous_->Release();
}

HRESULT STDMETHODCALLTYPE MessageFilter::QueryInterface(REFIID id, void** out) {
  if (id != IID_IUnknown && id != IID_IMessageFilter) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IMessageFilter*>(this);
  return S_OK;
}

DWORD STDMETHODCALLTYPE MessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
  return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE MessageFilter::RetryRejectedCall(HTASK, DWORD waited, DWORD reject_type) {
  // SERVERCALL_REJECTED: the server refuses the call for good.
  if (reject_type != SERVERCALL_RETRYLATER || waited >= kRetryRejectedFor) return kGiveUp;
  // A rejected call has not run: the stop may give it up as any waiting call.
  if (g_current_call != nullptr && g_current_call->wait().MustAbandon()) return kGiveUp;
  return kRetryRejectedAfter;
}

DWORD STDMETHODCALLTYPE MessageFilter::MessagePending(HTASK, DWORD, DWORD) {
  if (g_current_call != nullptr && g_current_call->wait().MustAbandon()) {
    return PENDINGMSG_CANCELCALL;
  }
  // The messages are dispatched as without a filter: the program's own windows stay alive.
  return PENDINGMSG_WAITDEFPROCESS;
}

}  // namespace kelvort
