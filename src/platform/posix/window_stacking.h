// Window stacking without a display: the topmost state is only remembered.
#pragma once

#include <map>

#include "platform/platform.h"

namespace kelvort {

class HeadlessWindowStacking : public WindowStacking {
 public:
  void SetTopmost(WindowHandle window, bool topmost) override { topmost_[window] = topmost; }
  // Whether the window was last set topmost.
  bool IsTopmost(WindowHandle window) const {
    const auto found = topmost_.find(window);
    return found != topmost_.end() && found->second;
  }

 private:
  std::map<WindowHandle, bool> topmost_;
};

}  // namespace kelvort
