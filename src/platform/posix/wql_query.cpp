// A small WQL reader for the process query of session detection.
#include "platform/posix/wql_query.h"

#include <cctype>

#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

[[noreturn]] void InvalidQuery(std::string_view wql) {
  Raise(wmi_errors::kInvalidQuery, "Invalid query: " + std::string(wql));
}

// Splits the query into words, symbols and one quoted value, in order.
class Tokens {
 public:
  explicit Tokens(std::string_view wql) : wql_(wql), rest_(wql) {}

  // The next name or symbol.
  std::string_view Word() {
    SkipBlanks();
    if (rest_.empty()) return {};
    size_t length = 1;
    if (IsNameChar(rest_[0])) {
      while (length < rest_.size() && IsNameChar(rest_[length])) ++length;
    }
    std::string_view word = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return word;
  }

  void Expect(std::string_view word) {
    if (!EqualsIgnoreCase(Word(), word)) InvalidQuery(wql_);
  }

  // A value in single or double quotes; a backslash takes the next character as it is.
  std::string Quoted() {
    SkipBlanks();
    if (rest_.empty() || (rest_[0] != '\'' && rest_[0] != '"')) InvalidQuery(wql_);
    const char quote = rest_[0];
    std::string value;
    for (size_t i = 1; i < rest_.size(); ++i) {
      if (rest_[i] == quote) {
        rest_.remove_prefix(i + 1);
        return value;
      }
      if (rest_[i] == '\\' && ++i == rest_.size()) break;
      value += rest_[i];
    }
    InvalidQuery(wql_);
  }

  bool AtEnd() {
    SkipBlanks();
    return rest_.empty();
  }

 private:
  void SkipBlanks() {
    while (!rest_.empty() && IsBlank(rest_[0])) rest_.remove_prefix(1);
  }

  std::string_view wql_;
  std::string_view rest_;
};

}  // namespace

std::string ParseProcessQuery(std::string_view wql) {
  Tokens tokens(wql);
  tokens.Expect("select");
  tokens.Expect("*");
  tokens.Expect("from");
  const std::string_view class_name = tokens.Word();
  if (class_name.empty() || !IsNameChar(class_name[0])) InvalidQuery(wql);
  if (!EqualsIgnoreCase(class_name, "Win32_Process")) {
    Raise(wmi_errors::kInvalidClass, "Invalid class: " + std::string(class_name));
  }
  tokens.Expect("where");
  tokens.Expect("name");
  tokens.Expect("=");
  std::string name = tokens.Quoted();
  if (!tokens.AtEnd()) InvalidQuery(wql);
  return name;
}

}  // namespace kelvort
