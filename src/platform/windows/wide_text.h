// Text between the program's UTF-8 and the Windows API's UTF-16 and ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/windows/win32.h"

namespace kelvort {

// A broken UTF-8 sequence becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// UTF-8 text in a Windows code page (CP_ACP for the system's ANSI code page); a character
// the code page lacks becomes its default character ("?").
std::string ToCodePage(std::string_view utf8, UINT code_page);

}  // namespace kelvort
