// The real POSIX environment with variables and the program's folder that a test sets.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/posix/environment.h"

namespace kelvort::testing {

class TestEnvironment : public Environment {
 public:
  // The program's folder is the build's bin folder (Config/ beside it); every variable is
  // the process's own until the test sets it.
  TestEnvironment();
  TestEnvironment(const TestEnvironment&) = delete;
  TestEnvironment& operator=(const TestEnvironment&) = delete;

  // The value as the process would hold it: an absolute POSIX value comes back in Z: form.
  void Set(const std::string& name, std::string value);
  // As if the variable were not set in the process at all.
  void Unset(const std::string& name);
  // In the program's Windows form, without a trailing backslash.
  void SetProgramFolder(std::string folder) { program_folder_ = std::move(folder); }

  std::string Variable(std::string_view name) const override { return posix_.Variable(name); }
  std::string ProgramFolder() const override { return program_folder_; }
  std::string CurrentFolder() const override { return posix_.CurrentFolder(); }
  bool InCurrentSession(uint32_t process_id) const override {
    return posix_.InCurrentSession(process_id);
  }

 private:
  std::map<std::string, std::optional<std::string>> overrides_;
  std::string program_folder_;
  PosixEnvironment posix_;
};

}  // namespace kelvort::testing
