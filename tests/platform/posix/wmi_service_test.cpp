#include "platform/posix/wmi_service.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "host/dispatch.h"
#include "platform/posix/process_names.h"
#include "platform/posix/wql_query.h"
#include "support/temp_dir.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

constexpr std::string_view kMoniker =
    "winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2";

int32_t ErrorNumber(const std::function<void()>& step) {
  try {
    step();
  } catch (const RunError& error) {
    return error.number();
  }
  return 0;
}

TEST(WqlQueryTest, TheProcessQueryIsReadAsWqlReadsIt) {
  EXPECT_EQ(ParseProcessQuery("Select * from Win32_Process Where Name = 'CNEXT.exe'"), "CNEXT.exe");
  EXPECT_EQ(ParseProcessQuery("SELECT*FROM win32_process WHERE name='CNEXT.exe'"), "CNEXT.exe");
  EXPECT_EQ(ParseProcessQuery("  select *\tfrom WIN32_PROCESS\r\nwhere NAME =\"a b.exe\"  "),
            "a b.exe");
  EXPECT_EQ(ParseProcessQuery(R"(Select * From Win32_Process Where Name = 'it\'s \\ here')"),
            "it's \\ here");
  EXPECT_EQ(ParseProcessQuery("Select * From Win32_Process Where Name = ''"), "");

  const char* invalid[] = {
      "",
      "Select * from Win32_Process",
      "Select Name from Win32_Process Where Name = 'CNEXT.exe'",
      "Select * from Win32_Process Where Name = CNEXT.exe",
      "Select * from Win32_Process Where Name = 'CNEXT.exe",
      "Select * from Win32_Process Where Name = 'CNEXT.exe' or Name = 'x'",
      "Select * from Win32_Process Where Name like 'CNEXT%'",
      "Select * from Win32_Process Where ProcessId = '1'",
      "Select * from Win32_Process Where Name = 'a\\",
      "Selects * from Win32_Process Where Name = 'CNEXT.exe'",
  };
  for (const char* query : invalid) {
    EXPECT_EQ(ErrorNumber([&] { ParseProcessQuery(query); }), wmi_errors::kInvalidQuery) << query;
  }
  EXPECT_EQ(ErrorNumber([] { ParseProcessQuery("Select * from Win32_Service Where Name = 'x'"); }),
            wmi_errors::kInvalidClass);
}

TEST(WmiServiceTest, TheMonikerNamesTheLocalCimv2NamespaceOnly) {
  const std::string_view accepted[] = {
      kMoniker,
      "WINMGMTS:{impersonationLevel=impersonate}!//localhost/ROOT/CIMV2",
      "winmgmts:\\\\.\\root\\cimv2",
      "winmgmts:root\\cimv2",
      "winmgmts:",
  };
  for (std::string_view moniker : accepted) {
    EXPECT_EQ(BindWmiMoniker(moniker)->TypeName(), "SWbemServicesEx") << moniker;
  }
  EXPECT_EQ(ErrorNumber([] { BindWmiMoniker("winmgmts:\\\\.\\root\\default"); }),
            wmi_errors::kInvalidNamespace);
  EXPECT_NE(ErrorNumber([] { BindWmiMoniker("winmgmts:\\\\server7\\root\\cimv2"); }), 0);
  const std::string_view malformed[] = {
      "CATIA.Application", "winmgmt:", "winmgmts:{impersonationLevel=impersonate",
      "winmgmts:{impersonationLevel=impersonate}\\\\.\\root\\cimv2"};
  for (std::string_view moniker : malformed) {
    EXPECT_EQ(ErrorNumber([&] { BindWmiMoniker(moniker); }), static_cast<int32_t>(0x800401E4u))
        << moniker;
  }
}

TEST(WmiServiceTest, TheQueryCountsTheProcessesOfAnExecutableIgnoringLetterCase) {
  DispatchPtr wmi = BindWmiMoniker(kMoniker);
  const std::string own_name = fs::read_symlink("/proc/self/exe").filename().string();
  std::string shouted = own_name;
  for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  auto count = [&](const std::string& name) {
    const Variant result = wmi->Call(
        "ExecQuery", {Variant("Select * from Win32_Process Where Name = '" + name + "'")});
    return result.ToObject()->Get("Count").ToLong();
  };
  EXPECT_GE(count(own_name), 1);
  EXPECT_GE(count(shouted), 1);
  EXPECT_EQ(count("no-such-program-of-kelvort.exe"), 0);
  EXPECT_EQ(count(own_name.substr(0, own_name.size() - 1)), 0);  // whole names only

  EXPECT_EQ(ErrorNumber([&] { wmi->Call("ExecQuery", {Variant("Select * from Win32_Process")}); }),
            wmi_errors::kInvalidQuery);
  EXPECT_EQ(ErrorNumber([&] {
              wmi->Call("ExecQuery",
                        {Variant("Select * from Win32_Process Where Name = 'x'"), Variant("SQL")});
            }),
            wmi_errors::kInvalidQueryType);
  EXPECT_EQ(ErrorNumber([&] { wmi->Call("InstancesOf", {Variant("Win32_Process")}); }),
            errors::kMemberNotSupported);
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
  const fs::path renamed = dir.path() / "renamed";
  fs::create_directory(renamed);
  WriteBytes(renamed / "comm", "CNEXT.exe\n");
  WriteBytes(renamed / "cmdline", std::string("something-else\0", 15));
  EXPECT_EQ(ProcessName(renamed.string()), "CNEXT.exe");
  EXPECT_EQ(ProcessName((dir.path() / "gone").string()), "");
}

}  // namespace
}  // namespace kelvort
