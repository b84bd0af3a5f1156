// Faults on request.
#include "faults.h"

#include "util/text.h"

namespace kelvort::standin {

void Faults::Add(std::string member, int nth) {
  faults_.push_back({std::move(member), nth, 0});
}

bool Faults::Fires(std::string_view member) {
  bool fires = false;
  for (Fault& fault : faults_) {
    if (EqualsIgnoreCase(fault.member, member) && ++fault.seen == fault.nth) fires = true;
  }
  return fires;
}

}  // namespace kelvort::standin
