// A control array: controls of one name told apart by their Index.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "forms/toolkit/toolkit_errors.h"
#include "util/run_error.h"

namespace kelvort {

template <typename T>
class ControlArray {
 public:
  ControlArray(std::initializer_list<std::reference_wrapper<T>> members)
      : members_(members.begin(), members.end()) {}

  // The member with that Index; raises 340 when there is none.
  T& operator[](int16_t index) const {
    for (T& member : members_) {
      if (member.Index() == index) return member;
    }
    Raise(errors::kControlArrayElementMissing, "Control array element doesn't exist");
  }
  int16_t LBound() const {
    return Bound([](int16_t a, int16_t b) { return a < b; });
  }
  int16_t UBound() const {
    return Bound([](int16_t a, int16_t b) { return a > b; });
  }

 private:
  template <typename Before>
  int16_t Bound(Before before) const {
    int16_t bound = members_.front().get().Index();
    for (T& member : members_) {
      if (before(member.Index(), bound)) bound = member.Index();
    }
    return bound;
  }

  std::vector<std::reference_wrapper<T>> members_;
};

}  // namespace kelvort
