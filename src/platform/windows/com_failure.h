// The run-time errors of failed COM calls, numbered as late binding numbers them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/windows/win32.h"
#include "util/run_error.h"

namespace kelvort {

// The server has gone: every later call to it fails the same way.
bool IsHostGone(HRESULT result);

// The system's text for an HRESULT (FormatMessageW), without its line end; empty when the
// system has none.
std::string SystemText(HRESULT result);

// The error of a failed GetIDsOfNames or Invoke of member. exception is the Invoke's record
// (its deferred fill-in is called here) or null; type_name is asked only when the error's
// text needs it ("Method '<member>' of object '<type>' failed").
RunError MemberFailure(HRESULT result, EXCEPINFO* exception, std::string_view member,
                       const std::function<std::string()>& type_name);

}  // namespace kelvort
