// Tests of CheckPath, KickRightBackSlash, FolderExists and FileExists on a real folder tree.
#include "settings/path_helpers.h"

#include <gtest/gtest.h>

#include "settings/settings_fixture.h"
#include "support/fake_dispatch.h"

namespace kelvort {
namespace {

using testing::FakeDispatch;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

class PathHelpersTest : public testing::SettingsFixture {
 protected:
  PathHelpersTest() { test_.environment.SetProgramFolder("C:\\Prog\\Bin"); }
};

TEST_F(PathHelpersTest, CheckPathResolvesFoldsAndExpands) {
  test_.environment.Set("APPDATA", "/home/u/.config");
  test_.environment.Set("KELVORT_DRIVE", "D:");
  test_.environment.Set("KELVORT_BOTH", "process");
  test_.environment.Unset("KELVORT_NOWHERE");
  test_.environment.Unset("KELVORT_HOST_ONLY");
  // The attached host is asked for what the process does not know.
  auto service = std::make_shared<FakeDispatch>("SystemService");
  service->On(InvokeKind::kMethod, "Environ", [](std::span<const Variant> args) {
    const std::string name = args[0].ToText();
    return Variant(name == "KELVORT_HOST_ONLY" ? "E:\\cad" : name == "KELVORT_BOTH" ? "host" : "");
  });
  auto application = std::make_shared<FakeDispatch>("Application");
  application->Returns("SystemService", Variant(DispatchPtr(service)));
  state_.CatiaApp = application;

  const std::pair<const char*, const char*> cases[] = {
      {"\\..\\Config", "C:\\Prog\\Config"},
      {"\\\\server\\share\\dir\\..\\x", "\\\\server\\share\\x"},
      {"C:\\a\\b\\\\", "C:\\a\\b\\"},
      {"a\\b\\..\\..\\c", "c"},
      // A drive's root is its own parent: folding never makes an absolute path relative.
      {"C:\\..\\x", "C:\\x"},
      {"C:\\a\\..\\..\\..\\x", "C:\\x"},
      // An element that merely begins with ".." is no parent reference, and folding ends.
      {"C:\\a\\..b\\c\\..\\d", "C:\\a\\..b\\d"},
      {"%APPDATA%\\x", "Z:\\home\\u\\.config\\x"},
      {"%KELVORT_DRIVE%\\%KELVORT_NOWHERE%\\y", "D:\\%KELVORT_NOWHERE%\\y"},
      {"\\\\srv\\%KELVORT_DRIVE%\\..\\z", "\\\\srv\\z"},
      {"%KELVORT_HOST_ONLY%\\%KELVORT_BOTH%", "E:\\cad\\process"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(CheckPath(state_, path), expected) << path;
  EXPECT_EQ(KickRightBackSlash(state_, "C:\\a\\\\"), "C:\\a\\");
  // A program at a drive root: its folder brings one backslash, and is its own parent.
  for (const std::string drive_root : {"Z:\\", "C:\\"}) {
    test_.environment.SetProgramFolder(drive_root);
    EXPECT_EQ(CheckPath(state_, "\\Config"), drive_root + "Config");
    EXPECT_EQ(CheckPath(state_, "\\..\\Config"), drive_root + "Config");
  }
  EXPECT_TRUE(Reported().empty());

  // An unpaired "%" is reported and leaves the text in front of it; so is a failing host.
  EXPECT_EQ(CheckPath(state_, "C:\\a%KELVORT_DRIVE%\\b%c"), "C:\\a");
  state_.ErrorOccurred = false;
  EXPECT_EQ(CheckPath(state_, "\\\\server\\sh%are"), "server\\sh");
  state_.ErrorOccurred = false;
  state_.CatiaApp = std::make_shared<FakeDispatch>("Application");
  EXPECT_EQ(CheckPath(state_, "C:\\%KELVORT_NOWHERE%"), "C:\\%KELVORT_NOWHERE%");
  EXPECT_EQ(Reported(), (Names{"CheckPath", "CheckPath", "CheckPath"}));

  // While an error is flagged no helper does anything.
  EXPECT_EQ(CheckPath(state_, "C:\\a"), "");
  EXPECT_FALSE(FileExists(state_, WinPath("f.txt"), true));
  EXPECT_FALSE(fs::exists(root() / "f.txt"));
  EXPECT_EQ(Reported().size(), 3u);
}

TEST_F(PathHelpersTest, FolderAndFileExistCreateEveryLevelFromTheTop) {
  EXPECT_FALSE(FolderExists(state_, "", true));
  EXPECT_TRUE(FolderExists(state_, "Z:\\", false));
  EXPECT_FALSE(FolderExists(state_, WinPath("a"), false));
  EXPECT_FALSE(fs::exists(root() / "a"));
  EXPECT_TRUE(FolderExists(state_, WinPath("a\\b\\c\\"), true));
  EXPECT_TRUE(fs::is_directory(root() / "a/b/c"));
  EXPECT_TRUE(FolderExists(state_, (root() / "p" / "q").string(), true));
  EXPECT_TRUE(fs::is_directory(root() / "p/q"));

  const std::string file = WinPath("new1\\new2\\f.txt");
  EXPECT_FALSE(FileExists(state_, file, false));
  EXPECT_FALSE(fs::exists(root() / "new1"));
  EXPECT_TRUE(FileExists(state_, file, true));
  testing::WriteBytes(root() / "new1/new2/f.txt", "content");
  EXPECT_TRUE(FileExists(state_, file, true));
  EXPECT_EQ(testing::ReadBytes(root() / "new1/new2/f.txt"), "content");
  EXPECT_FALSE(FileExists(state_, WinPath("new1"), false));  // a folder is no file

  // A bare name is never taken relative to the current folder.
  const std::string name =
      "kelvort-bare-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
  testing::WriteBytes(name, "");
  EXPECT_FALSE(FileExists(state_, name, true));
  fs::remove(name);
  EXPECT_TRUE(Reported().empty());
}

TEST_F(PathHelpersTest, WhatCannotBeCreatedIsReportedByTheProcedureThatFailed) {
  testing::WriteBytes(root() / "file", "keep");
  fs::create_directory(root() / "folder");
  const auto folder = [&](const std::string& path) { FolderExists(state_, path, true); };
  const auto file = [&](const std::string& path) { FileExists(state_, path, true); };
  const struct {
    std::function<void(const std::string&)> make;
    std::string path, procedure;
  } cases[] = {
      {folder, WinPath("file\\sub"), "FolderExists"},  // a file where a folder must be
      {folder, WinPath(std::string(300, 'n')), "FolderExists"},
      {folder, "C:\\kelvort-test-folder", "FolderExists"},  // a drive that does not exist here
      {folder, "\\\\kelvort-test-server\\share\\dir", "FolderExists"},
      {folder, "\\\\kelvort-test-server", "FolderExists"},  // a network path without a share
      {folder, WinPath("bad%name"), "CheckPath"},
      {file, WinPath("file\\f.txt"), "FolderExists"},
      {file, WinPath("folder\\"), "FileExists"},
      {file, WinPath(std::string(300, 'f')), "FileExists"},
  };
  for (const auto& [make, path, procedure] : cases) {
    StartAfresh();
    make(path);
    EXPECT_EQ(Reported(), Names{procedure}) << path;
  }
  EXPECT_EQ(testing::ReadBytes(root() / "file"), "keep");
  // Nothing is made relative to the current folder, nor from the text before the "%".
  EXPECT_FALSE(fs::exists("C:"));
  EXPECT_FALSE(fs::exists("kelvort-test-server"));
  EXPECT_FALSE(fs::exists(root() / "bad"));
}

}  // namespace
}  // namespace kelvort
