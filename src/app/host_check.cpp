// The host part of kelvort --check.
#include "app/host_check.h"

#include "app/session.h"
#include "lang/language.h"

namespace kelvort {

std::vector<std::string> CheckHost(RunState& state, CheckFindings&) {
  if (Check4RunningCATIA(state) != 1) return {GetRightLangText(state, "CheckHostNotChecked")};
  return {GetRightLangText(state, "CheckHostBehaviourNotTried")};
}

}  // namespace kelvort
