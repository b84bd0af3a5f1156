// The process query of session detection and the names of processes.
#include "platform/posix/process_names.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "host/dispatch.h"
#include "platform/posix/wql_query.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::RaisedNumber;
using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(WqlQueryTest, TheProcessQueryIsReadAsWqlReadsIt) {
  EXPECT_EQ(ParseProcessQuery("Select * from Win32_Process Where Name = 'CNEXT.exe'"), "CNEXT.exe");
  EXPECT_EQ(ParseProcessQuery("SELECT*FROM win32_process WHERE name='CNEXT.exe'"), "CNEXT.exe");
  EXPECT_EQ(ParseProcessQuery("  select *\tfrom WIN32_PROCESS\r\nwhere NAME =\"a b.exe\"  "),
            "a b.exe");
  EXPECT_EQ(ParseProcessQuery(R"(Select * From Win32_Process Where Name = 'it\'s \\ here')"),
            "it's \\ here");
  EXPECT_EQ(ParseProcessQuery("Select * From Win32_Process Where Name = ''"), "");

  for (const char* query : {"", "Select * from Win32_Process",
                            "Select Name from Win32_Process Where Name = 'CNEXT.exe'",
                            "Select * from Win32_Process Where Name = 'CNEXT.exe",
                            "Select * from Win32_Process Where Name = 'CNEXT.exe' or Name = 'x'",
                            "Select * from Win32_Process Where Name = 'a\\"}) {
    EXPECT_EQ(RaisedNumber([&] { ParseProcessQuery(query); }), wmi_errors::kInvalidQuery) << query;
  }
  EXPECT_EQ(RaisedNumber([] { ParseProcessQuery("Select * from Win32_Service Where Name = 'x'"); }),
            wmi_errors::kInvalidClass);
}

TEST(ProcessNamesTest, TheNameIsTheExecutablesFileNameEvenWhereTheKernelCutsItShort) {
  EXPECT_EQ(ProcessName("/proc/self"), fs::read_symlink("/proc/self/exe").filename().string());
  EXPECT_EQ(ProcessName("/proc/" + std::to_string(::getpid())), ProcessName("/proc/self"));

  TempDir dir;
  // A replaced executable still counts under its name.
  const fs::path deleted = dir.path() / "deleted";
  fs::create_directory(deleted);
  fs::create_symlink("/opt/catia/CNEXT.exe (deleted)", deleted / "exe");
  EXPECT_EQ(ProcessName(deleted.string()), "CNEXT.exe");
  // Without a readable exe link: the command name, completed from the first argument
  // where the kernel cut it at 15 characters.
  const fs::path cut = dir.path() / "cut";
  fs::create_directory(cut);
  WriteBytes(cut / "comm", "CNEXT-long-name\n");
  WriteBytes(cut / "cmdline", std::string("/opt/CNEXT-long-name.exe\0-x\0", 28));
  EXPECT_EQ(ProcessName(cut.string()), "CNEXT-long-name.exe");
  EXPECT_EQ(ProcessName((dir.path() / "gone").string()), "");
}

}  // namespace
}  // namespace kelvort
