// Window stacking on the Windows desktop.
#include "platform/windows/window_stacking.h"

#include "platform/windows/win32.h"

namespace kelvort {

void WindowsWindowStacking::SetTopmost(WindowHandle window, bool topmost) {
  ::SetWindowPos(reinterpret_cast<HWND>(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                 0, SWP_NOSIZE | SWP_NOMOVE);
}

}  // namespace kelvort
