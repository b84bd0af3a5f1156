// The character encodings of the XML files: UTF-8 inside the program, ISO-8859-1 on disk.
#pragma once

#include <string>
#include <string_view>

namespace kelvort {

bool IsValidUtf8(std::string_view text);
// The offset of the first byte that starts no valid UTF-8 sequence; npos when there is none.
size_t InvalidUtf8At(std::string_view text);
// Whether a text as the file writes it (UTF-8, references not yet replaced) holds only
// characters that XML 1.0 allows, also through its character references ("&#0;" does not).
bool IsXmlText(std::string_view raw);
// Whether every character of the UTF-8 text lies within ISO-8859-1 (up to U+00FF).
bool FitsLatin1(std::string_view utf8);
// XML text in UTF-8 as ISO-8859-1 bytes; a character beyond ISO-8859-1 becomes a decimal
// character reference (&#8364; for the euro sign). A byte that is no valid UTF-8 is taken
// as the ISO-8859-1 character of its value.
std::string ToLatin1WithReferences(std::string_view utf8);

}  // namespace kelvort
