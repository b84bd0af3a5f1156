// A message-box fake that records every box shown, in order.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/product.h"
#include "platform/platform.h"

namespace kelvort::testing {

// The title of every error box: "Error - Version: " and the program's version.
inline std::string ErrorBoxTitle() {
  return "Error - Version: " + std::string(kVersion);
}

struct ShownBox {
  std::string title;
  std::string text;
  bool operator==(const ShownBox&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const ShownBox& box) {
    return out << "[" << box.title << "] " << box.text;
  }
};

class RecordingMessageBoxes : public MessageBoxes {
 public:
  void Show(std::string_view text, std::string_view title) override {
    boxes.push_back({std::string(title), std::string(text)});
  }
  std::vector<ShownBox> boxes;
};

}  // namespace kelvort::testing
