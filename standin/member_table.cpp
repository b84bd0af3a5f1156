// Case-blind hashing of member names.
#include "member_table.h"

#include "util/text.h"

namespace kelvort::standin {
namespace {
unsigned char Fold(char c) {
  return static_cast<unsigned char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
}
}  // namespace

size_t CaseBlindHash::operator()(std::string_view name) const {
  size_t hash = 14695981039346656037ull;  // FNV-1a
  for (char c : name) hash = (hash ^ Fold(c)) * 1099511628211ull;
  return hash;
}

bool CaseBlindEqual::operator()(std::string_view a, std::string_view b) const {
  return EqualsIgnoreCase(a, b);
}

}  // namespace kelvort::standin
