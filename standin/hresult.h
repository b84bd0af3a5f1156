// The failures the stand-in CATIA raises, worded as the real host words them.
#pragma once

#include <string>
#include <string_view>

namespace kelvort::standin {

// "Method 'Item' of object 'Parameters' failed", with the host's E_FAIL.
[[noreturn]] void MethodFailed(std::string_view member, std::string_view type_name);

}  // namespace kelvort::standin
