// A shell fake that records the documents it was asked to open.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kelvort::testing {

class RecordingShell : public Shell {
 public:
  void OpenDocument(std::string_view path) override { opened.emplace_back(path); }
  std::vector<std::string> opened;
};

}  // namespace kelvort::testing
