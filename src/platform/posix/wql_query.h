// The one WQL query the WMI stand-in answers: the processes of an executable, by name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvort {

// WMI's failures of a query.
namespace wmi_errors {
inline constexpr int32_t kFailed = static_cast<int32_t>(0x80041001u);        // WBEM_E_FAILED
inline constexpr int32_t kNotFound = static_cast<int32_t>(0x80041002u);      // WBEM_E_NOT_FOUND
inline constexpr int32_t kInvalidClass = static_cast<int32_t>(0x80041010u);  // WBEM_E_INVALID_CLASS
inline constexpr int32_t kInvalidQuery = static_cast<int32_t>(0x80041017u);  // WBEM_E_INVALID_QUERY
inline constexpr int32_t kInvalidQueryType =
    static_cast<int32_t>(0x80041018u);  // WBEM_E_INVALID_QUERY_TYPE
inline constexpr int32_t kInvalidNamespace =
    static_cast<int32_t>(0x8004100Eu);  // WBEM_E_INVALID_NAMESPACE
}  // namespace wmi_errors

// Reads "SELECT * FROM Win32_Process WHERE Name = 'value'" as WQL reads it: keywords, the
// class and the property in any letter case, any blanks between the parts, the value in
// single or double quotes with backslash escapes. Answers the value; any other query
// raises WMI's run-time error for it.
std::string ParseProcessQuery(std::string_view wql);

}  // namespace kelvort
