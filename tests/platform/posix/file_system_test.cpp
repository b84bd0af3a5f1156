// The POSIX file system: replacing a file whole, and appending in the locale's character set.
#include "platform/posix/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/failure_of.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::FilesBelow;
using testing::RaisedNumber;
using testing::ReadBytes;
using testing::WriteBytes;
using Files = std::map<std::string, std::string>;
namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
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
  files.ReplaceFile(dir.WinPath("fresh.xml"), "fresh");
  files.CopyFile(dir.WinPath("fresh.xml"), dir.WinPath("settings.xml"));

  EXPECT_EQ(RaisedNumber([&] { files.ReplaceFile(dir.WinPath("none\\x.xml"), "x"); }),
            errors::kPathNotFound);
  EXPECT_EQ(RaisedNumber([&] { files.ReplaceFile(dir.WinPath("real"), "x"); }),
            errors::kPathFileAccessError);
  EXPECT_EQ(
      RaisedNumber([&] { files.CopyFile(dir.WinPath("none.xml"), dir.WinPath("settings.xml")); }),
      errors::kFileNotFound);
  // No temporary file is left; the link is listed under its target.
  EXPECT_EQ(FilesBelow(dir.path()), (Files{{"fresh.xml", "fresh"},
                                           {"real", "(folder)"},
                                           {"real/target.xml", "through the link"},
                                           {"settings.xml", "fresh"}}));
}

TEST_F(PosixFileSystemTest, AReplaceThatFailsHalfWayLeavesTheOldFileIntact) {
  WriteBytes(dir.path() / "settings.xml", "the old settings");
  {
    testing::FileSizeLimit limit(8);
    EXPECT_EQ(RaisedNumber(
                  [&] { files.ReplaceFile(dir.WinPath("settings.xml"), std::string(4096, 'x')); }),
              errors::kDiskFull);
  }
  EXPECT_EQ(FilesBelow(dir.path()), (Files{{"settings.xml", "the old settings"}}));
}

TEST_F(PosixFileSystemTest, AppendTextWritesTheLocaleCharacterSetToAnExistingFileOnly) {
  WriteBytes(dir.path() / "Error.log", "before\r\n");
  files.AppendText(dir.WinPath("Error.log"), "Ma\xC3\x9F \xC3\xB6 \xE2\x82\xAC\r\n");
  EXPECT_EQ(RaisedNumber([&] { files.AppendText(dir.WinPath("none.log"), "x"); }),
            errors::kFileNotFound);
  PosixFileSystem{"UTF-8"}.AppendText(dir.WinPath("Error.log"), "\xC3\xB6");
  EXPECT_EQ(FilesBelow(dir.path()), (Files{{"Error.log", "before\r\nMa\xDF \xF6 ?\r\n\xC3\xB6"}}));
}

}  // namespace
}  // namespace kelvort
