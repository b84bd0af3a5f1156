// A stand-in failure as a COM server reports it to a late-bound client: the failures that
// late binding numbers itself as their HRESULTs, every other one as DISP_E_EXCEPTION whose
// record carries the host's code and text.
#pragma once

#include "platform/windows/win32.h"
#include "util/run_error.h"

namespace kelvort::standin {

// The HRESULT for Invoke to return; fills exception (when given) for DISP_E_EXCEPTION.
HRESULT AutomationFailure(const RunError& failure, EXCEPINFO* exception);

}  // namespace kelvort::standin
