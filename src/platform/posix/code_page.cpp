// Text in the locale's 8-bit character set, the POSIX counterpart of the ANSI code page.
#include "platform/posix/code_page.h"

#include <iconv.h>

#include <cerrno>

#include "util/text.h"

namespace kelvort {
namespace {

// The length of the UTF-8 sequence starting at the text's front, at least one byte.
size_t SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  size_t valid = 1;
  while (valid < length && valid < text.size() &&
         (static_cast<unsigned char>(text[valid]) & 0xC0) == 0x80) {
    ++valid;
  }
  return valid;
}

class Converter {
 public:
  explicit Converter(const std::string& code_set)
      : handle_(iconv_open(code_set.c_str(), "UTF-8")) {}
  ~Converter() {
    if (usable()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // iconv_open's failure value is (iconv_t)-1.
  bool usable() const {
    return handle_ != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
  }

  std::string Convert(std::string_view utf8) {
    std::string out;
    char buffer[512];
    char* in = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    while (in_left > 0) {
      char* next = buffer;
      size_t room = sizeof buffer;
      const size_t done = iconv(handle_, &in, &in_left, &next, &room);
      out.append(buffer, next);
      if (done == static_cast<size_t>(-1) && errno != E2BIG) {
        const size_t skip = SequenceLength(std::string_view(in, in_left));
        out += '?';
        in += skip;
        in_left -= skip;
      }
    }
    char* next = buffer;
    size_t room = sizeof buffer;
    iconv(handle_, nullptr, nullptr, &next, &room);  // the closing shift of stateful sets
    out.append(buffer, next);
    return out;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string FromUtf8(std::string_view utf8, const std::string& code_set) {
  const std::string lower = ToLower(code_set);
  if (code_set.empty() || lower == "utf-8" || lower == "utf8") return std::string(utf8);
  Converter converter(code_set);
  if (!converter.usable()) return std::string(utf8);
  return converter.Convert(utf8);
}

}  // namespace kelvort
