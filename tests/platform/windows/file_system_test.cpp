// The Windows file system and the path helpers on it: real drive letters (a drive that the
// test run maps to a temporary folder, KELVORT_TEST_DRIVE), network paths, atomic replace.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"
#include "platform/windows/windows_test_support.h"
#include "settings/path_helpers.h"
#include "support/failure_of.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::FileBytes;
using testing::RaisedNumber;
using testing::TempFolder;
using testing::WindowsTestPlatform;
using testing::WriteBytes;

// The drive the test run provides ("K:"), else the system drive.
std::string TestDrive() {
  const char* drive = std::getenv("KELVORT_TEST_DRIVE");
  return drive != nullptr && *drive != '\0' ? drive : "C:";
}

std::string UnusedDrive() {
  const DWORD drives = ::GetLogicalDrives();
  for (int letter = 25; letter >= 3; --letter) {
    if ((drives & (1u << letter)) == 0) return std::string(1, char('A' + letter)) + ":";
  }
  return "";
}

DWORD Attributes(const std::string& path) {
  return ::GetFileAttributesW(Widen(path).c_str());
}

class WindowsFileSystemTest : public ::testing::Test {
 protected:
  WindowsTestPlatform test;
  RunState state{test.platform};
  WindowsFileSystem& files = test.files;
};

TEST_F(WindowsFileSystemTest, PathHelpersCreateAndFindFoldersOnARealDrive) {
  TempFolder dir(TestDrive() + "\\");
  ASSERT_EQ(dir.path().substr(0, 2), TestDrive());
  const std::string file = dir / "new1\\new2\\f.txt";

  EXPECT_FALSE(FolderExists(state, dir / "new1", false));
  EXPECT_EQ(Attributes(dir / "new1"), INVALID_FILE_ATTRIBUTES) << "created nothing";
  EXPECT_TRUE(FileExists(state, file, true));
  EXPECT_TRUE(FolderExists(state, dir / "new1\\new2", false));
  EXPECT_EQ(FileBytes(file), "");
  WriteBytes(file, "kept");
  EXPECT_TRUE(FileExists(state, file, true));
  EXPECT_EQ(FileBytes(file), "kept") << "an existing file is never touched";
  EXPECT_TRUE(FileExists(state, dir / "new1\\..\\new1\\new2\\f.txt", false));
  EXPECT_TRUE(test.boxes.boxes.empty());
  EXPECT_TRUE(files.FolderExists(TestDrive()));
  EXPECT_TRUE(files.FolderExists(TestDrive() + "\\"));
  const auto drives = files.Drives();
  EXPECT_NE(std::find(drives.begin(), drives.end(), TestDrive()), drives.end());
}

TEST_F(WindowsFileSystemTest, MissingDrivesAndNetworkPathsAnswerFalseAndFailToCreate) {
  const std::string missing_drive = UnusedDrive();
  ASSERT_FALSE(missing_drive.empty());
  const std::string network = "\\\\kelvort-no-such-server\\share\\dir";
  for (const std::string& path : {missing_drive + "\\a\\b", network}) {
    SCOPED_TRACE(path);
    state.ErrorOccurred = false;
    const DWORD started = ::GetTickCount();
    EXPECT_FALSE(FolderExists(state, path, false));
    EXPECT_FALSE(files.FileExists(path + "\\f.txt"));
    EXPECT_FALSE(state.ErrorOccurred);
    EXPECT_FALSE(FolderExists(state, path, true));
    EXPECT_TRUE(state.ErrorOccurred) << "a folder that cannot be created is reported";
    EXPECT_LT(::GetTickCount() - started, 20000u);
  }
}

TEST_F(WindowsFileSystemTest, FailuresRaiseTheirRunTimeErrors) {
  TempFolder dir;
  WriteBytes(dir / "plain.txt", "x");
  const struct {
    const char* what;
    std::function<void()> action;
    int32_t number;
  } cases[] = {
      {"missing file", [&] { files.ReadFile(dir / "none.txt"); }, errors::kFileNotFound},
      {"missing folder", [&] { files.ReadFile(dir / "none\\x.txt"); }, errors::kPathNotFound},
      {"append to missing", [&] { files.AppendText(dir / "none.txt", "x"); },
       errors::kFileNotFound},
      {"folder exists", [&] { files.CreateFolder(dir.path()); }, errors::kFileAlreadyExists},
      {"file as parent", [&] { files.CreateFolder(dir / "plain.txt\\sub"); },
       errors::kPathNotFound},
      {"bad name", [&] { files.CreateEmptyFile(dir / "a<b>.txt"); }, errors::kBadFileName},
      {"replace a folder", [&] { files.ReplaceFile(dir.path(), "x"); },
       errors::kPathFileAccessError},
      {"replace in missing folder", [&] { files.ReplaceFile(dir / "none\\x.txt", "x"); },
       errors::kPathNotFound},
  };
  for (const auto& c : cases) EXPECT_EQ(RaisedNumber(c.action), c.number) << c.what;
}

TEST_F(WindowsFileSystemTest, ReplaceIsAtomicAndKeepsTheOldAttributes) {
  TempFolder dir;
  const std::string path = dir / "Settings.xml";
  WriteBytes(path, "old");
  ASSERT_TRUE(
      ::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  files.ReplaceFile(path, "new content");
  EXPECT_EQ(FileBytes(path), "new content");
  EXPECT_EQ(Attributes(path) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
            DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});

  // A read-only file refuses the write and keeps its content.
  ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(RaisedNumber([&] { files.ReplaceFile(path, "lost"); }), errors::kPermissionDenied);
  EXPECT_EQ(FileBytes(path), "new content");

  files.CopyFile(path, dir / "copy.xml");
  EXPECT_EQ(FileBytes(dir / "copy.xml"), "new content");
  // Nothing else is left in the folder: no temporary file survives.
  const auto entries = files.ListFolder(dir.path());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Settings.xml");
  EXPECT_EQ(entries[1].name, "copy.xml");
}

TEST_F(WindowsFileSystemTest, AppendedTextIsInTheAnsiCodePage) {
  ASSERT_EQ(::GetACP(), 1252u) << "the test expects the Western European code page";
  TempFolder dir;
  const std::string path = dir / "Größe.log";
  files.CreateEmptyFile(path);
  files.AppendText(path, "Größe\r\n");
  files.AppendText(path, "€ ✓\r\n");
  EXPECT_EQ(FileBytes(path),
            "Gr\xF6\xDF"
            "e\r\n\x80 ?\r\n");
  EXPECT_TRUE(files.FileExists(path)) << "a UTF-8 name reaches the wide API intact";
}

}  // namespace
}  // namespace kelvort
