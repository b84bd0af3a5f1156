// Faults on request: the Nth call of a member fails as the host fails.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvort::standin {

class Faults {
 public:
  // From now on, the nth call (counting from 1) of the member, whatever its letter case and
  // whichever object serves it, fails once.
  void Add(std::string member, int nth);
  // Counts one call of the member; true when this call is to fail.
  bool Fires(std::string_view member);
  bool empty() const { return faults_.empty(); }

 private:
  struct Fault {
    std::string member;
    int nth = 0;
    int seen = 0;
  };
  std::vector<Fault> faults_;
};

}  // namespace kelvort::standin
