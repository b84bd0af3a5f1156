// A stand-in failure as a COM server reports it to a late-bound client.
#include "automation_failure.h"

#include "hresult.h"
#include "platform/windows/com_owners.h"
#include "platform/windows/wide_text.h"
#include "util/run_error.h"

namespace kelvort::standin {

HRESULT AutomationFailure(const RunError& failure, EXCEPINFO* exception) {
  switch (failure.number()) {
    case errors::kMemberNotSupported:
      return DISP_E_MEMBERNOTFOUND;
    case errors::kWrongArgumentCount:
      return DISP_E_BADPARAMCOUNT;
    case errors::kTypeMismatch:
      return DISP_E_TYPEMISMATCH;
    case errors::kOverflow:
      return DISP_E_OVERFLOW;
    default:
      break;
  }
  if (exception != nullptr) {
    *exception = EXCEPINFO{};
    const auto* refusal = dynamic_cast<const HostFailure*>(&failure);
    exception->bstrSource = Bstr(Widen(refusal ? refusal->source() : "CATIA")).Detach();
    exception->bstrDescription = Bstr(Widen(failure.description())).Detach();
    // A host failure is a negative HRESULT; a run-time error number travels as wCode.
    if (failure.number() < 0 || failure.number() > 0xFFFF) {
      exception->scode = failure.number();
    } else {
      exception->wCode = static_cast<WORD>(failure.number());
    }
  }
  return DISP_E_EXCEPTION;
}

}  // namespace kelvort::standin
