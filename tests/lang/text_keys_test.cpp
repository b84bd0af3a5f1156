// The keys that kelvort --check looks for in lang.xml are exactly those of the shipped
// lang.xml, in its order, and each is one the program's sources use.
#include "lang/text_keys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace kelvort {
namespace {

namespace fs = std::filesystem;

TEST(TextKeysTest, AreTheShippedKeysAndEachIsUsed) {
  const fs::path source = KELVORT_SOURCE_DIR;
  const std::string lang = testing::ReadBytes(source / "Config" / "lang.xml");
  std::vector<std::string> shipped;
  const std::regex element(R"(\n  <([A-Za-z0-9]+) Lang0=)");
  for (std::sregex_iterator it(lang.begin(), lang.end(), element), end; it != end; ++it) {
    shipped.push_back((*it)[1]);
  }
  EXPECT_THAT(shipped, ::testing::ElementsAreArray(std::begin(kTextKeys), std::end(kTextKeys)));

  std::string sources;
  for (const auto& entry : fs::recursive_directory_iterator(source / "src")) {
    if (entry.is_regular_file() && entry.path().filename() != "text_keys.h")
      sources += testing::ReadBytes(entry.path());
  }
  for (const std::string_view key : kTextKeys) {
    const std::string quoted = "\"" + std::string(key);
    EXPECT_TRUE(sources.find(quoted + "\"") != std::string::npos ||
                sources.find(quoted + ",") != std::string::npos)
        << key << " is used nowhere";
  }
}

}  // namespace
}  // namespace kelvort
