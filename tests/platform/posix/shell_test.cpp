// Opening a document with the desktop's opener.
#include "platform/posix/shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "support/failure_of.h"
#include "support/temp_dir.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(PosixShellTest, TheOpenerGetsTheDocumentAsOneArgumentWithoutAShellOrFailsAsARunTimeError) {
  TempDir dir;
  const fs::path fifo = dir.path() / "opened";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path opener = dir.path() / "opener";
  WriteBytes(opener, "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" + fifo.string() + "'\n");
  fs::permissions(opener, fs::perms::owner_all);
  const std::string document = "help page; $(touch injected) 'quoted'.html";
  WriteBytes(dir.path() / document, "<html/>");

  PosixShell(opener.string()).OpenDocument(dir.WinPath(document));
  std::ifstream opened(fifo);  // waits for the opener to write
  std::string arguments((std::istreambuf_iterator<char>(opened)), std::istreambuf_iterator<char>());
  EXPECT_EQ(arguments, "1|" + (dir.path() / document).string());
  EXPECT_FALSE(fs::exists("injected"));
  EXPECT_FALSE(fs::exists(dir.path() / "injected"));

  // A missing document or opener is a run-time error.
  WriteBytes(dir.path() / "ind.html", "<html/>");
  EXPECT_EQ(
      testing::RaisedNumber([&] { PosixShell("true").OpenDocument(dir.WinPath("none.html")); }),
      errors::kFileNotFound);
  const RunError no_opener = testing::FailureOf(
      [&] { PosixShell("kelvort-no-such-opener").OpenDocument(dir.WinPath("ind.html")); });
  EXPECT_EQ(no_opener.number(), errors::kFileNotFound);
  EXPECT_NE(no_opener.description().find("kelvort-no-such-opener"), std::string::npos);
  EXPECT_THROW(PosixShell("true").OpenDocument("C:\\Help\\ind.html"), RunError);
}

}  // namespace
}  // namespace kelvort
