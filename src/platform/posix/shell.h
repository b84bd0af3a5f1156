// Opening a document with the desktop's program for it, on POSIX.
#pragma once

#include <string>

#include "platform/platform.h"

namespace kelvort {

class PosixShell : public Shell {
 public:
  // opener: the program that opens a document given as its one argument.
  explicit PosixShell(std::string opener = "xdg-open") : opener_(std::move(opener)) {}
  // Starts the opener without waiting for it. A document that does not exist, or an opener
  // that cannot be started, raises 53.
  void OpenDocument(std::string_view path) override;

 private:
  std::string opener_;
};

}  // namespace kelvort
