// The program's one run, from the settings to the closing message and the exit status,
// against a stand-in CATIA in process.
#include "app/run.h"
#include "forms/forms.h"

#include <gtest/gtest.h>

#include "app/session.h"
#include "parameters/standin_run_fixture.h"
#include "part.h"
#include "product.h"
#include "support/fake_dispatch.h"
#include "support/standin_documents.h"

namespace kelvort {
namespace {

using Lines = std::vector<std::string>;
using testing::ShownBox;

const char* const kDefinitions =
    R"(<Parameter Name="Grade" Type="String" Default="A"/>
       <Parameter Name="Quantity" Type="Integer" Default="2"/>
       <Parameter Name="Released" Type="Boolean" Default=""/>)";

class RunTest : public testing::StandinRunFixture {
 protected:
  RunTest() {
    wmi_->On(InvokeKind::kMethod, "ExecQuery", [this](std::span<const Variant>) {
      auto processes = std::make_shared<testing::FakeDispatch>("SWbemObjectSet");
      processes->Returns("Count", int32_t{catia_processes_});
      return Variant(processes);
    });
    test_.com.RegisterObject(std::string(kWmiMoniker), wmi_);
    Settings(kDefinitions);
  }

  // The shared settings, which the per-user copy is made from anew.
  void Settings(const std::string& parameters) {
    std::filesystem::remove(UserFolder() / "Settings.xml");
    WriteShared(testing::kDeclarationLine + "<SETTINGS><Parameters>" + parameters +
                "</Parameters></SETTINGS>\n");
  }
  // A running CATIA with the files open, the first one active; the run attaches to it.
  void StartCatia(const std::vector<std::filesystem::path>& files) {
    OpenHost(files);
    state_.CatiaApp = nullptr;
    test_.com.RegisterActiveObject(std::string(kCatiaProgId), app_);
  }

  std::string T(const std::string& key) const { return Shipped(key, "Lang0"); }
  const std::vector<ShownBox>& Boxes() const { return test_.message_boxes.boxes; }
  Lines LastCalls(size_t n) const {
    const Lines all = Calls();
    return Lines(all.end() - static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end());
  }

  std::shared_ptr<testing::FakeDispatch> wmi_ =
      std::make_shared<testing::FakeDispatch>("SWbemServicesEx");
  int32_t catia_processes_ = 1;
};

TEST_F(RunTest, AnAssemblyIsFilledAndUpdatedInTheAssemblyWorkbench) {
  StartCatia({testing::WriteSmallAssembly(root())});
  EXPECT_EQ(Main(state_), kExitSuccess);
  EXPECT_EQ(Boxes(), (std::vector<ShownBox>{{"Kelvort", T("Parametersuccessfullycreated")}}));
  EXPECT_EQ(LastCalls(5),
            (Lines{"Selection.Clear()", "Selection.Add(<Product>)", "Application.GetWorkbenchId()",
                   R"(Application.StartWorkbench("Assembly"))", "Product.Update()"}));
  const auto& washer = Doc("Washer.CATPart").part()->parameters();
  ASSERT_NE(washer->FindShort("Quantity"), nullptr);
  EXPECT_EQ(washer->FindShort("Quantity")->ValueAsString(), "2");
  EXPECT_EQ(FormsOf(state_).IsLoaded(FormId::kMain), false);

  // A second run adds nothing.
  app_->host()->journal().Clear();
  test_.message_boxes.boxes.clear();
  RunState second_run(test_.platform);
  Forms second_run_forms{second_run};
  EXPECT_EQ(Main(second_run), kExitSuccess);
  EXPECT_TRUE(Creations().empty());
  EXPECT_EQ(Boxes(), (std::vector<ShownBox>{{"Kelvort", T("Parametersuccessfullycreated")}}));
}

TEST_F(RunTest, APartDocumentIsOnlyUpdated) {
  StartCatia({testing::WriteSmallAssembly(root()).parent_path() / "Washer.CATPart"});
  EXPECT_EQ(Main(state_), kExitSuccess);
  EXPECT_TRUE(Calls({"Clear", "Add", "GetWorkbenchId", "StartWorkbench"}).empty());
  EXPECT_EQ(LastCalls(1), Lines{"Part.Update()"});
  EXPECT_NE(Doc("Washer.CATPart").part()->parameters()->FindShort("Released"), nullptr);
}

TEST_F(RunTest, AnAssemblyWithoutPartsStaysInTheAssemblyWorkbench) {
  testing::WriteBytes(root() / "Frame.CATProduct", R"(<ProductDocument>
  <Product PartNumber="FRAME"><Products><Instance Name="Rail.1" Component="RAIL" /></Products>
  </Product>
  <Component PartNumber="RAIL" />
</ProductDocument>)");
  StartCatia({root() / "Frame.CATProduct"});
  EXPECT_EQ(Main(state_), kExitSuccess);
  EXPECT_EQ(
      Calls({"Add", "GetWorkbenchId", "StartWorkbench", "Update"}),
      (Lines{"Selection.Add(<Product>)", "Application.GetWorkbenchId()", "Product.Update()"}));
  EXPECT_NE(Doc("Frame.CATProduct").FindComponent("RAIL")->properties()->FindShort("Grade"),
            nullptr);
}

TEST_F(RunTest, NoDefinitionsCreateNothing) {
  Settings("");
  StartCatia({testing::WriteSmallAssembly(root())});
  EXPECT_EQ(Main(state_), kExitSuccess);
  EXPECT_TRUE(Creations().empty());
  EXPECT_EQ(Boxes(), (std::vector<ShownBox>{{"Kelvort", T("Parametersuccessfullycreated")}}));
}

TEST_F(RunTest, WithoutExactlyOneCatiaNothingIsTouched) {
  StartCatia({testing::WriteSmallAssembly(root())});
  for (const int32_t processes : {0, 2}) {
    catia_processes_ = processes;
    test_.message_boxes.boxes.clear();
    RunState run(test_.platform);
    Forms run_forms{run};
    EXPECT_EQ(Main(run), kExitStoppedEarly);
    EXPECT_EQ(Boxes(), (std::vector<ShownBox>{{T("Abort"), T("ThereisnotexactlyoneCATIAopened")}}));
  }
  EXPECT_EQ(Calls(), Lines{"Application.DisplayFileAlerts = False"});  // two: attached anyway
  EXPECT_FALSE(AnyDocumentChanged());
}

TEST_F(RunTest, NoDocumentOpenStopsTheRun) {
  StartCatia({});
  EXPECT_EQ(Main(state_), kExitStoppedEarly);
  EXPECT_EQ(Boxes(), (std::vector<ShownBox>{{T("Abort"), T("NodocumentloadedinCATIA")}}));
}

TEST_F(RunTest, ADrawingIsReportedAsAFailureOfTheRun) {
  StartCatia({testing::CopySamples(root()) / "Gearbox.CATDrawing"});
  EXPECT_EQ(Main(state_), kExitFailureReported);
  EXPECT_EQ(Reported(), Lines{"Main"});
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_NE(testing::ReadBytes(UserFolder() / "Error.log").find("Main"), std::string::npos);
}

TEST_F(RunTest, ADefinitionThatCannotBeUsedStopsTheRunBeforeAnyDocumentIsTouched) {
  StartCatia({testing::WriteSmallAssembly(root())});
  // Rejected: its message is the only box.
  Settings(R"(<Parameter Name="Grade" Type="String" Default="A"/>
              <Parameter Name="Quantity" Type="Integer" Default="many"/>)");
  EXPECT_EQ(Main(state_), kExitStoppedEarly);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, T("Abort"));
  EXPECT_TRUE(Calls({"Selection", "Parameters", "Products", "Update"}).empty());

  // Unreadable (no Default): its error box is the last one.
  Settings(R"(<Parameter Name="Grade" Type="String" Default="A"/>
              <Parameter Name="Quantity" Type="Integer"/>)");
  test_.message_boxes.boxes.clear();
  RunState run(test_.platform);
  Forms run_forms{run};
  EXPECT_EQ(Main(run), kExitFailureReported);
  EXPECT_EQ(Reported(), Lines{"SetParameterName"});
  EXPECT_TRUE(Calls({"Selection", "Parameters", "Products", "Update"}).empty());
  EXPECT_FALSE(AnyDocumentChanged());
}

TEST_F(RunTest, AFailureDuringTheWalkIsToldAtTheEnd) {
  StartCatia({testing::WriteSmallAssembly(root())});
  app_->host()->faults().Add("CreateInteger", 1);
  EXPECT_EQ(Main(state_), kExitFailureReported);
  ASSERT_GE(Boxes().size(), 2u);
  EXPECT_EQ(Reported().front(), "Fill_Part");
  EXPECT_EQ(Boxes().back(), (ShownBox{"Kelvort", T("ParametersCreatedWithErrorsLogged")}));
  EXPECT_NE(Boxes().back().text, "");
  EXPECT_EQ(LastCalls(1), Lines{"Product.Update()"});

  // No entry can be written: the message does not point to Error.log.
  std::filesystem::remove(UserFolder() / "Error.log");
  std::filesystem::create_directory(UserFolder() / "Error.log");
  std::filesystem::create_directory(root() / "again");
  StartCatia({testing::WriteSmallAssembly(root() / "again")});
  app_->host()->faults().Add("CreateInteger", 1);
  test_.message_boxes.boxes.clear();
  RunState run(test_.platform);
  Forms run_forms{run};
  EXPECT_EQ(Main(run), kExitFailureReported);
  EXPECT_EQ(Boxes().back(), (ShownBox{"Kelvort", T("ParametersCreatedWithErrors")}));
}

}  // namespace
}  // namespace kelvort
