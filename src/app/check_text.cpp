// The texts of kelvort --check.
#include "app/check_text.h"

#include "lang/language.h"

namespace kelvort {

std::string FilledText(RunState& state, std::string_view key,
                       const std::vector<std::string>& values) {
  std::string text = GetRightLangText(state, key);
  // From the highest number down, so that "%1" never takes the start of "%10".
  for (size_t i = values.size(); i > 0; --i) {
    const std::string mark = "%" + std::to_string(i);
    for (size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + values[i - 1].size())) {
      text.replace(at, mark.size(), values[i - 1]);
    }
  }
  return text;
}

}  // namespace kelvort
