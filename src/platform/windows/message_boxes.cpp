// Message boxes on the Windows desktop.
#include "platform/windows/message_boxes.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace kelvort {

void WindowsMessageBoxes::Show(std::string_view text, std::string_view title) {
  ::MessageBoxW(nullptr, Widen(text).c_str(), Widen(title).c_str(), MB_OK);
}

}  // namespace kelvort
