// The benchmark's own trivial automation object, served from a process of its own: the
// reference for what a bare cross-process IDispatch call costs. Member 1 answers a short
// text, member 2 ends the server.
#pragma once

#include "platform/windows/com_apartment.h"
#include "platform/windows/win32.h"
#include "windows/registration.h"

namespace kelvort::bench {

// The class under which the echo object enters the running object table:
// {3D8A5C21-7E94-4B1F-A6C3-9F02B7E4D815}
constexpr CLSID kEchoClassId = {
    0x3d8a5c21, 0x7e94, 0x4b1f, {0xa6, 0xc3, 0x9f, 0x02, 0xb7, 0xe4, 0xd8, 0x15}};
constexpr DISPID kEchoText = 1;
constexpr DISPID kEchoQuit = 2;

class EchoObject final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    const bool known = iid == IID_IUnknown || iid == IID_IDispatch;
    *out = known ? static_cast<IDispatch*>(this) : nullptr;
    if (known) AddRef();
    return known ? S_OK : E_NOINTERFACE;
  }
  // Lives as long as the server's loop: the count is kept for COM's sake only.
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;  // callers use the ids above
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (id == kEchoQuit) {
      ::PostQuitMessage(0);
      return S_OK;
    }
    if (id != kEchoText) return DISP_E_MEMBERNOTFOUND;
    if (result != nullptr) {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = ::SysAllocString(L"Echo");
    }
    return S_OK;
  }

 private:
  ULONG references_ = 1;
};

// Serves the echo object until a client calls its member 2.
inline int ServeEcho() {
  ComApartment apartment;
  EchoObject echo;
  {
    standin::RunningObject running(&echo, nullptr, kEchoClassId);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace kelvort::bench
