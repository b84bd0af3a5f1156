#include "platform/posix/file_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/failure_of.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::RaisedNumber;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class PosixFileSystemTest : public ::testing::Test {
 protected:
  TempDir dir;
  PosixFileSystem files{"ISO-8859-1"};
};

TEST_F(PosixFileSystemTest, ReplaceFileKeepsPermissionsLinksAndNoTemporaryFile) {
  const fs::path target = dir.path() / "settings.xml";
  WriteBytes(target, "old");
  // A group-writable file stays so, although the umask would narrow a new file's mode.
  fs::permissions(target, fs::perms(0664));
  const mode_t old_mask = ::umask(022);
  files.ReplaceFile(dir.WinPath("settings.xml"), "new content");
  ::umask(old_mask);
  EXPECT_EQ(ReadBytes(target), "new content");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0664));

  fs::create_directory(dir.path() / "real");
  WriteBytes(dir.path() / "real" / "target.xml", "old");
  fs::create_symlink("real/target.xml", dir.path() / "link.xml");
  files.ReplaceFile(dir.WinPath("link.xml"), "through the link");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.xml"));
  EXPECT_EQ(ReadBytes(dir.path() / "real" / "target.xml"), "through the link");

  files.ReplaceFile(dir.WinPath("fresh.xml"), "fresh");
  EXPECT_EQ(ReadBytes(dir.path() / "fresh.xml"), "fresh");
  files.CopyFile(dir.WinPath("fresh.xml"), dir.WinPath("settings.xml"));
  EXPECT_EQ(ReadBytes(target), "fresh");
  EXPECT_THAT(Names(dir.path()),
              ::testing::ElementsAre("fresh.xml", "link.xml", "real", "settings.xml"));
  EXPECT_THAT(Names(dir.path() / "real"), ::testing::ElementsAre("target.xml"));

  EXPECT_EQ(RaisedNumber([&] { files.ReplaceFile(dir.WinPath("none\\x.xml"), "x"); }),
            errors::kPathNotFound);
  EXPECT_EQ(RaisedNumber([&] { files.ReplaceFile(dir.WinPath("real"), "x"); }),
            errors::kPathFileAccessError);
  EXPECT_EQ(
      RaisedNumber([&] { files.CopyFile(dir.WinPath("none.xml"), dir.WinPath("settings.xml")); }),
      errors::kFileNotFound);
  EXPECT_EQ(ReadBytes(target), "fresh");
}

TEST_F(PosixFileSystemTest, AReplaceThatFailsHalfWayLeavesTheOldFileIntact) {
  const fs::path target = dir.path() / "settings.xml";
  WriteBytes(target, "the old settings");
  {
    testing::FileSizeLimit limit(8);
    EXPECT_EQ(RaisedNumber(
                  [&] { files.ReplaceFile(dir.WinPath("settings.xml"), std::string(4096, 'x')); }),
              errors::kDiskFull);
  }
  EXPECT_EQ(ReadBytes(target), "the old settings");
  EXPECT_THAT(Names(dir.path()), ::testing::ElementsAre("settings.xml"));
}

TEST_F(PosixFileSystemTest, AppendTextWritesTheLocaleCharacterSetToAnExistingFileOnly) {
  WriteBytes(dir.path() / "Error.log", "before\r\n");
  files.AppendText(dir.WinPath("Error.log"),
                   "Gr\xC3\xB6\xC3\x9F"
                   "e \xE2\x82\xAC\r\n");
  EXPECT_EQ(ReadBytes(dir.path() / "Error.log"),
            "before\r\nGr\xF6\xDF"
            "e ?\r\n");

  EXPECT_EQ(RaisedNumber([&] { files.AppendText(dir.WinPath("none.log"), "x"); }),
            errors::kFileNotFound);
  EXPECT_FALSE(fs::exists(dir.path() / "none.log"));

  PosixFileSystem utf8_files{"UTF-8"};
  utf8_files.AppendText(dir.WinPath("Error.log"), "\xC3\xB6");
  EXPECT_EQ(ReadBytes(dir.path() / "Error.log"),
            "before\r\nGr\xF6\xDF"
            "e ?\r\n\xC3\xB6");
}

}  // namespace
}  // namespace kelvort
