// Text between the program's UTF-8 and the Windows API's UTF-16 and ANSI code page.
#include "platform/windows/wide_text.h"

#include <climits>

#include "util/run_error.h"

namespace kelvort {
namespace {

int Length(size_t size) {
  if (size > static_cast<size_t>(INT_MAX)) Raise(errors::kOverflow);
  return static_cast<int>(size);
}

std::string FromWide(std::wstring_view wide, UINT code_page) {
  if (wide.empty()) return {};
  const int source = Length(wide.size());
  const int size =
      ::WideCharToMultiByte(code_page, 0, wide.data(), source, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(code_page, 0, wide.data(), source, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int source = Length(utf8.size());
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), source, nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), source, out.data(), size);
  return out;
}

std::string Narrow(std::wstring_view utf16) {
  return FromWide(utf16, CP_UTF8);
}

std::string ToCodePage(std::string_view utf8, UINT code_page) {
  return FromWide(Widen(utf8), code_page);
}

}  // namespace kelvort
