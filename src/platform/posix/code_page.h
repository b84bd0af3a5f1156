// Text in the locale's 8-bit character set, the POSIX counterpart of the ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace kelvort {

// UTF-8 text converted to the character set (an iconv name such as "ISO-8859-1"). A
// character the set lacks, or a broken UTF-8 sequence, becomes one "?". A UTF-8 set, or one
// that iconv does not know, takes the text unchanged.
std::string FromUtf8(std::string_view utf8, const std::string& code_set);

}  // namespace kelvort
