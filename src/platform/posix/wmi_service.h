// The WMI stand-in: the service that a "winmgmts:" moniker names, answering the process
// query of session detection from /proc.
#pragma once

#include <string_view>

#include "host/variant.h"

namespace kelvort {

// The service for a moniker such as "winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2"
// (security settings optional, the local computer as "." or "localhost", the namespace
// root\cimv2; letter case ignored, "\" or "/" between the parts). Its ExecQuery takes the
// query of ParseProcessQuery and gives every user's matching processes: a result with Count
// and ItemIndex(i), each item with ProcessId and Name. Any other moniker raises a run-time
// error.
DispatchPtr BindWmiMoniker(std::string_view moniker);

}  // namespace kelvort
