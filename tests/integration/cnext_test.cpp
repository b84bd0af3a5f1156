// CNEXT.exe as a process: a wrong command line, refused files, serving, a second stand-in,
// and the documents written back when it ends.
#include <gtest/gtest.h>
#include <signal.h>

#include <functional>

#include "platform/posix/remote_dispatch.h"
#include "support/child_process.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

namespace fs = std::filesystem;
using testing::BuiltProgram;
using testing::ChildProcess;
using testing::ReadBytes;
using testing::RunProcess;

DispatchPtr Obj(const Variant& value) {
  return value.ToObject();
}

class CnextTest : public ::testing::Test {
 protected:
  CnextTest() : samples_(testing::CopySamples(dir_.path())), run_(dir_.path() / "run") {}
  // Each test has its own registration folder and application-data folder.
  std::vector<std::string> Env() const {
    return {"XDG_RUNTIME_DIR=" + run_.string(), "APPDATA=" + (dir_.path() / "appdata").string()};
  }
  std::string Sample(const char* name) const { return (samples_ / name).string(); }

  testing::TempDir dir_;
  fs::path samples_, run_;
};

// A wrong option is refused with the reason; a bad or missing file ends the stand-in with a
// clear message before anything is registered.
TEST_F(CnextTest, AWrongCommandLineOrFileEndsWithAClearMessage) {
  const auto wrong = RunProcess(BuiltProgram("CNEXT.exe"), {"--fault", "Item:0", "x"}, Env());
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err,
            "CNEXT.exe: --fault needs MEMBER:N, with N a whole number from 1\n"
            "Try CNEXT.exe --help.\n");
  testing::WriteBytes(dir_.path() / "Bad.CATPart", "<PartDocument>\n<Part>\n</PartDocument>\n");
  const auto bad = RunProcess(BuiltProgram("CNEXT.exe"),
                              {"--print", (dir_.path() / "Bad.CATPart").string()}, Env());
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, "CNEXT.exe: " + fs::canonical(dir_.path()).string() +
                         "/Bad.CATPart: line 3: not well-formed XML: Start-end tags mismatch\n");
  EXPECT_TRUE(bad.out.empty());
  const auto missing =
      RunProcess(BuiltProgram("CNEXT.exe"), {(dir_.path() / "None.CATPart").string()}, Env());
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("None.CATPart: file not found"), std::string::npos) << missing.err;
  // Nothing was registered.
  EXPECT_FALSE(fs::exists(run_ / "CATIA.Application"));
}

TEST_F(CnextTest, ServesUntilSigtermThenWritesChangedDocuments) {
  const fs::path journal = dir_.path() / "journal.txt";
  const std::string housing_before = ReadBytes(samples_ / "Housing.CATPart");
  ChildProcess first(
      BuiltProgram("CNEXT.exe"),
      {"--journal", journal.string(), "--fault", "CreateReal:1", Sample("Gearbox.CATProduct")},
      Env());
  ASSERT_TRUE(first.WaitForFile(run_ / "CATIA.Application")) << first.Wait().err;

  // A stand-in that only idles runs beside it.
  ChildProcess idle(BuiltProgram("CNEXT.exe"), {"--idle"}, Env());

  {
    const auto app = ConnectToStandIn(run_.string());
    const auto root = Obj(Obj(app->Get("ActiveDocument"))->Get("Product"));
    const auto properties = Obj(root->Get("UserRefProperties"));
    Obj(properties->Call("CreateString", {"Project", "Gearbox \"1\""}))->Put("Value", "Gearbox 2");
    EXPECT_ANY_THROW(properties->Call("CreateReal", {"Mass", 1.5}));
  }
  EXPECT_FALSE(first.Ended());
  EXPECT_FALSE(idle.Ended());
  first.Signal(SIGTERM);
  const auto result = first.Wait();
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_FALSE(fs::exists(run_ / "CATIA.Application"));
  idle.Signal(SIGTERM);
  EXPECT_EQ(idle.Wait().status, 0);

  // The changed document is written back; the others are left as they were.
  EXPECT_NE(ReadBytes(samples_ / "Gearbox.CATProduct")
                .find("Name=\"Project\" Type=\"String\" Value=\"Gearbox 2\""),
            std::string::npos);
  EXPECT_EQ(ReadBytes(samples_ / "Housing.CATPart"), housing_before);
  const std::string lines = ReadBytes(journal);
  EXPECT_NE(lines.find("Application.ActiveDocument\nProductDocument.Product\n"
                       "Product.UserRefProperties\n"
                       "Parameters.CreateString(\"Project\", \"Gearbox \"\"1\"\"\")\n"
                       "StrParam.Value = \"Gearbox 2\"\n"
                       "Parameters.CreateReal(\"Mass\", 1.5)\n"),
            std::string::npos)
      << lines;
}

// A client's Application.Quit and CNEXT.exe --quit end the stand-in as a signal does: the
// changed documents are written back first, and --quit returns once it has ended.
TEST_F(CnextTest, QuitFromAClientOrTheCommandLineWritesTheDocumentsBack) {
  const auto quit_by_client = [this] {
    const auto app = ConnectToStandIn(run_.string());
    EXPECT_EQ(app->Call("Quit"), Variant());
  };
  const auto quit_by_command = [this] {
    const auto result = RunProcess(BuiltProgram("CNEXT.exe"), {"--quit"}, Env());
    EXPECT_EQ(result.status, 0) << result.err;
  };
  int changes = 0;
  for (const auto& quit :
       {std::function<void()>(quit_by_client), std::function<void()>(quit_by_command)}) {
    ChildProcess standin(BuiltProgram("CNEXT.exe"), {Sample("Cover.CATPart")}, Env());
    ASSERT_TRUE(standin.WaitForFile(run_ / "CATIA.Application")) << standin.Wait().err;
    const std::string name = "Quit" + std::to_string(++changes);
    {
      const auto app = ConnectToStandIn(run_.string());
      const auto part = Obj(Obj(app->Get("ActiveDocument"))->Get("Part"));
      Obj(part->Get("Parameters"))->Call("CreateString", {name, "x"});
    }
    quit();
    // --quit has waited for the end; a client's Quit has been answered before it.
    EXPECT_EQ(standin.Wait().status, 0);
    EXPECT_NE(ReadBytes(samples_ / "Cover.CATPart").find(name), std::string::npos) << name;
  }
  const auto none = RunProcess(BuiltProgram("CNEXT.exe"), {"--quit"}, Env());
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "CNEXT.exe: no stand-in CATIA serves this user.\n");
}

}  // namespace
}  // namespace kelvort
