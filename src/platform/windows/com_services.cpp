// COM services on Windows: objects from monikers and running servers, through IDispatch.
#include "platform/windows/com_services.h"

#include "platform/windows/com_dispatch.h"
#include "platform/windows/com_failure.h"
#include "platform/windows/wide_text.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

constexpr int32_t kNoAutomation = 430;

}  // namespace

DispatchPtr WindowsComServices::GetObject(std::string_view moniker) {
  ComPtr<IDispatch> object;
  const HRESULT result = ::CoGetObject(Widen(moniker).c_str(), nullptr, IID_IDispatch,
                                       reinterpret_cast<void**>(object.Receive()));
  if (FAILED(result)) Raise(result, SystemText(result));
  return ComDispatch::Wrap(std::move(object));
}

DispatchPtr WindowsComServices::GetActiveObject(std::string_view prog_id) {
  CLSID class_id{};
  if (FAILED(::CLSIDFromProgID(Widen(prog_id).c_str(), &class_id))) {
    Raise(errors::kCannotCreateObject);
  }
  ComPtr<IUnknown> running;
  if (FAILED(::GetActiveObject(class_id, nullptr, running.Receive())) || !running) {
    Raise(errors::kCannotCreateObject);
  }
  ComPtr<IDispatch> object;
  if (FAILED(running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.Receive())))) {
    Raise(kNoAutomation,
          "Class does not support Automation or does not support expected interface");
  }
  return ComDispatch::Wrap(std::move(object));
}

}  // namespace kelvort
