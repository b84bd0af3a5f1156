// Opening the help page through Explorer on Windows.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvort {

// The command line that opens a document: the program, one blank, the path in double quotes.
std::wstring DocumentCommandLine(std::wstring_view program, std::string_view path);

class WindowsShell : public Shell {
 public:
  // program: the shell program that opens a document named on its command line.
  explicit WindowsShell(std::wstring program = L"Explorer") : program_(std::move(program)) {}
  // Starts the program minimized and activated (show state 2) without waiting for it; a
  // program that cannot be started raises 53. The document itself is not tested.
  void OpenDocument(std::string_view path) override;

 private:
  std::wstring program_;
};

}  // namespace kelvort
