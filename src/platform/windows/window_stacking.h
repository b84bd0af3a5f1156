// Window stacking on the Windows desktop.
#pragma once

#include "platform/platform.h"

namespace kelvort {

// SetWindowPos with HWND_TOPMOST (-1) or HWND_NOTOPMOST (-2), x, y, cx, cy 0 and the flags
// 3 (SWP_NOSIZE | SWP_NOMOVE); the result is ignored.
class WindowsWindowStacking : public WindowStacking {
 public:
  void SetTopmost(WindowHandle window, bool topmost) override;
};

}  // namespace kelvort
