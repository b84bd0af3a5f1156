// The mapping between the program's Windows-form paths and POSIX paths.
#include "platform/posix/posix_path.h"

namespace kelvort {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string WithSlashes(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

}  // namespace

std::optional<std::string> ToPosixPath(std::string_view path) {
  if (path.empty()) return std::nullopt;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return std::nullopt;
  if (path.size() >= 2 && path[1] == ':' && IsLetter(path[0])) {
    if (path[0] != 'Z' && path[0] != 'z') return std::nullopt;
    const std::string_view rest = path.substr(2);
    // "Z:" alone is the root; "Z:name" is relative to the current folder, as on Windows.
    return rest.empty() ? std::string("/") : WithSlashes(rest);
  }
  return WithSlashes(path);
}

std::string ToZForm(std::string_view posix_path) {
  std::string out = "Z:";
  for (char c : posix_path) out += c == '/' ? '\\' : c;
  return out;
}

}  // namespace kelvort
