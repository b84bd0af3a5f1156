// The real POSIX environment with variables and the program's folder that a test sets.
#include "support/test_environment.h"

#include "support/temp_dir.h"

namespace kelvort::testing {

TestEnvironment::TestEnvironment()
    : program_folder_(ToWinPath(KELVORT_BIN_DIR)),
      posix_(program_folder_, [this](std::string_view name) -> std::optional<std::string> {
        const auto found = overrides_.find(std::string(name));
        if (found != overrides_.end()) return found->second;
        return PosixEnvironment::ProcessVariable(name);
      }) {}

void TestEnvironment::Set(const std::string& name, std::string value) {
  overrides_[name] = std::move(value);
}

void TestEnvironment::Unset(const std::string& name) {
  overrides_[name] = std::nullopt;
}

}  // namespace kelvort::testing
