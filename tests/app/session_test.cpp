#include "app/session.h"
#include "forms/forms.h"

#include <gtest/gtest.h>

#include "support/fake_dispatch.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"
#include "util/run_error.h"

namespace kelvort {
namespace {

using testing::FakeDispatch;
using testing::ReadBytes;
using testing::TempDir;
using testing::TestPlatform;

// Session detection against a WMI that counts `processes` and a CATIA that can be attached.
class SessionTest : public ::testing::Test {
 protected:
  SessionTest() {
    state.ErrorLogPath = dir.WinPath();
    wmi->On(InvokeKind::kMethod, "ExecQuery", [this](std::span<const Variant> args) {
      queries.push_back(args[0].ToText());
      auto result = std::make_shared<FakeDispatch>("SWbemObjectSet");
      result->Returns("Count", processes);
      return Variant(result);
    });
    catia->On(InvokeKind::kPropertyPut, "DisplayFileAlerts",
              [](std::span<const Variant>) { return Variant(); });
    test.com.RegisterObject(std::string(kWmiMoniker), wmi);
    test.com.RegisterActiveObject("CATIA.Application", catia);
  }

  TempDir dir;
  TestPlatform test;
  RunState state{test.platform};
  Forms forms{state};
  std::shared_ptr<FakeDispatch> wmi = std::make_shared<FakeDispatch>("SWbemServicesEx");
  std::shared_ptr<FakeDispatch> catia = std::make_shared<FakeDispatch>("Application");
  Variant processes = Variant(int32_t{1});
  std::vector<std::string> queries;
};

TEST_F(SessionTest, OneCatiaIsAttachedAndItsFileAlertsSwitchedOff) {
  EXPECT_EQ(Check4RunningCATIA(state), 1);
  EXPECT_EQ(state.CatiaApp, catia);
  EXPECT_EQ(queries,
            std::vector<std::string>{"Select * from Win32_Process Where Name = 'CNEXT.exe'"});
  EXPECT_EQ(test.com.requests, (std::vector<std::string>{
                                   "winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2",
                                   "CATIA.Application"}));
  ASSERT_EQ(catia->calls.size(), 1u);
  EXPECT_EQ(catia->calls[0].first, "DisplayFileAlerts");
  EXPECT_EQ(catia->calls[0].second, std::vector<Variant>{Variant(false)});
  EXPECT_EQ(state.FailureCount, 0);
}

TEST_F(SessionTest, TheCountDecidesAndNoCatiaMeansNoAttach) {
  processes = Variant(int32_t{0});
  EXPECT_EQ(Check4RunningCATIA(state), 2);
  EXPECT_EQ(state.CatiaApp, nullptr);
  EXPECT_EQ(test.com.requests.size(), 1u);  // the WMI service only

  processes = Variant(int32_t{2});
  EXPECT_EQ(Check4RunningCATIA(state), 3);
  EXPECT_EQ(state.CatiaApp, catia);
  EXPECT_EQ(catia->calls.size(), 1u);  // attached, and the setting made all the same

  state.CatiaApp = nullptr;
  processes = Variant("1");  // compared as a number
  EXPECT_EQ(Check4RunningCATIA(state), 1);
  EXPECT_EQ(state.FailureCount, 0);
}

TEST_F(SessionTest, AFailingAttachOrSettingIsNotReported) {
  test.com.RegisterActiveObject("CATIA.Application",
                                []() -> DispatchPtr { Raise(errors::kCannotCreateObject); });
  EXPECT_EQ(Check4RunningCATIA(state), 0);
  EXPECT_EQ(state.CatiaApp, nullptr);

  auto stubborn = std::make_shared<FakeDispatch>("Application");  // refuses the setting
  test.com.RegisterActiveObject("CATIA.Application", stubborn);
  EXPECT_EQ(Check4RunningCATIA(state), 1);
  EXPECT_EQ(state.CatiaApp, stubborn);
  EXPECT_EQ(state.FailureCount, 0);
  EXPECT_FALSE(state.ErrorOccurred);
  EXPECT_TRUE(test.message_boxes.boxes.empty());
}

TEST_F(SessionTest, AFailingWmiIsReportedAndAnEarlierErrorStopsTheCheck) {
  wmi->On(InvokeKind::kMethod, "ExecQuery", [](std::span<const Variant>) -> Variant {
    Raise(static_cast<int32_t>(0x80041017u), "Invalid query");
  });
  EXPECT_EQ(Check4RunningCATIA(state), 0);
  EXPECT_EQ(state.CatiaApp, nullptr);
  EXPECT_EQ(state.FailureCount, 1);
  ASSERT_EQ(test.message_boxes.boxes.size(), 1u);
  EXPECT_EQ(test.message_boxes.boxes[0].text, "Check4RunningCATIA  -2147217385\r\nInvalid query");
  EXPECT_NE(ReadBytes(dir.path() / "Error.log").find("Check4RunningCATIA"), std::string::npos);

  // ErrorOccurred is still set: nothing is asked of WMI or CATIA.
  test.com.requests.clear();
  EXPECT_EQ(Check4RunningCATIA(state), 0);
  EXPECT_TRUE(test.com.requests.empty());
  EXPECT_EQ(state.FailureCount, 1);
}

}  // namespace
}  // namespace kelvort
