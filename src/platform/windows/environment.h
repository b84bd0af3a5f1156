// The process environment and the program's folder on Windows.
#pragma once

#include "platform/platform.h"

namespace kelvort {

class WindowsEnvironment : public Environment {
 public:
  // Names are matched without regard to case, as Windows does.
  std::string Variable(std::string_view name) const override;
  // The folder of the running executable; a drive root keeps its backslash ("C:\").
  std::string ProgramFolder() const override;
  std::string CurrentFolder() const override;
  bool InCurrentSession(uint32_t process_id) const override;
};

}  // namespace kelvort
