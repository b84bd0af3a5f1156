// The definition table as the creating procedures walk it.
#include "parameters/definition_rows.h"

#include <cstdint>
#include <limits>

#include "util/run_error.h"

namespace kelvort {

const std::vector<ParameterRow>& DefinitionRows(const RunState& state) {
  if (!state.ParameterDefs) Raise(errors::kSubscriptOutOfRange);
  const std::vector<ParameterRow>& rows = *state.ParameterDefs;
  if (rows.size() > static_cast<size_t>(std::numeric_limits<int16_t>::max()) + 1) {
    Raise(errors::kOverflow);
  }
  return rows;
}

}  // namespace kelvort
