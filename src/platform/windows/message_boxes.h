// Message boxes on the Windows desktop.
#pragma once

#include "platform/platform.h"

namespace kelvort {

// MessageBoxW with an OK button only, no icon and no owner window.
class WindowsMessageBoxes : public MessageBoxes {
 public:
  void Show(std::string_view text, std::string_view title) override;
};

}  // namespace kelvort
