// A shell fake that records the documents it was asked to open, or fails as a shell that
// cannot open them does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "util/run_error.h"

namespace kelvort::testing {

class RecordingShell : public Shell {
 public:
  void OpenDocument(std::string_view path) override {
    if (failure) throw *failure;
    opened.emplace_back(path);
  }
  std::vector<std::string> opened;
  std::optional<RunError> failure;
};

}  // namespace kelvort::testing
