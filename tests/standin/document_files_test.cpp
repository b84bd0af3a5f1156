// Document files: opening, writing changed documents back, and refusing bad files.
#include <gtest/gtest.h>

#include "document_error.h"
#include "document_files.h"
#include "support/standin_documents.h"
#include "support/temp_dir.h"
#include "tree_text.h"

namespace kelvort {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

DispatchPtr Obj(const Variant& value) {
  return value.ToObject();
}

std::string TreeOf(const standin::ApplicationPtr& app) {
  return TreeText(*app->active());
}

TEST(DocumentFilesTest, EveryKindOfValueSurvivesWritingAndReading) {
  testing::TempDir dir;
  const auto file = testing::WriteSmallAssembly(dir.path());
  const std::string washer_before = ReadBytes(dir.path() / "Washer.CATPart");
  const auto app = standin::OpenApplication({file});
  const auto root = Obj(Obj(app->Get("ActiveDocument"))->Get("Product"));
  const auto sub = Obj(Obj(root->Get("Products"))->Call("Item", {"Sub.1"}));
  const auto sub_parameters = Obj(sub->Get("Parameters"));
  const auto bolt_part =
      Obj(Obj(Obj(Obj(root->Get("Products"))->Call("Item", {2}))->Get("ReferenceProduct"))
              ->Get("Parent"))
          ->Get("Part");
  const auto part_parameters = Obj(Obj(bolt_part)->Get("Parameters"));

  const std::string awkward = "  <a & \"b\" 'c'>\ttab\nline\r\nÄß €  ";
  sub_parameters->Call("CreateString", {"Awkward", awkward});
  sub_parameters->Call("CreateString", {"Empty", ""});
  sub_parameters->Call("CreateInteger", {"Min", int32_t{-2147483647 - 1}});
  sub_parameters->Call("CreateInteger", {"Max", int32_t{2147483647}});
  sub_parameters->Call("CreateBoolean", {"Yes", true});
  sub_parameters->Call("CreateBoolean", {"No", false});
  for (double value : {0.1, -2.5e200, 1e-300, 0.0}) {
    part_parameters->Call("CreateReal",
                          {"Real" + std::to_string(part_parameters->Get("Count").ToLong()), value});
  }
  const auto choice = Obj(sub_parameters->Call("CreateString", {"Choice", ""}));
  choice->Call("SetEnumerateValues", {Variant::Array{"", " padded ", "Über"}});
  const auto property =
      Obj(Obj(sub->Get("UserRefProperties"))->Call("CreateString", {"Awkward", ""}));
  Obj(sub->Get("Relations"))
      ->Call("CreateFormula", {"Form_Awkward", "comment & <more>", Variant(property), "Awkward"});
  const auto part_output = Obj(part_parameters->Call("CreateString", {"Output", ""}));
  Obj(Obj(bolt_part)->Get("Relations"))
      ->Call("CreateFormula", {"Form_Output", "", Variant(part_output), "Finish"});

  const std::string before = TreeOf(app);
  standin::SaveChangedDocuments(*app);
  EXPECT_FALSE(app->active()->changed());
  // A document left unchanged is not rewritten.
  EXPECT_EQ(ReadBytes(dir.path() / "Washer.CATPart"), washer_before);

  const auto reopened = standin::OpenApplication({file});
  EXPECT_EQ(TreeOf(reopened), before);
  const auto reopened_sub =
      Obj(Obj(Obj(Obj(reopened->Get("ActiveDocument"))->Get("Product"))->Get("Products"))
              ->Call("Item", {"Sub.1"}));
  const auto parameters = Obj(reopened_sub->Get("Parameters"));
  EXPECT_EQ(Obj(parameters->Call("Item", {"SUB\\Awkward"}))->Get("Value"), Variant(awkward));
  EXPECT_EQ(Obj(parameters->Call("Item", {"SUB\\Min"}))->Get("Value"),
            Variant(int32_t{-2147483647 - 1}));
  EXPECT_EQ(Obj(parameters->Call("Item", {"SUB\\Choice"}))->Call("GetEnumerateValues"),
            Variant(Variant::Array{"", " padded ", "Über"}));
  const auto reopened_part =
      Obj(Obj(reopened->Get("Documents"))->Call("Item", {"Bolt.CATPart"}))->Get("Part").ToObject();
  const auto reals = Obj(reopened_part->Get("Parameters"));
  EXPECT_EQ(Obj(reals->Call("Item", {3}))->Get("Value"), Variant(0.1));
  EXPECT_EQ(Obj(reals->Call("Item", {4}))->Get("Value"), Variant(-2.5e200));
  EXPECT_EQ(Obj(reals->Call("Item", {5}))->Get("Value"), Variant(1e-300));
  // Formulas keep their output: it is still driven, and Update still computes it.
  EXPECT_ANY_THROW(Obj(reopened_part->Get("Relations"))
                       ->Call("CreateFormula",
                              {"Form_Again", "", Obj(reals->Call("Item", {"Output"})), "Finish"}));
  reopened_part->Call("Update");
  EXPECT_EQ(Obj(reals->Call("Item", {"Output"}))->Get("Value"), Variant("Zinc"));
}

TEST(DocumentFilesTest, ADocumentThatCannotBeWrittenStaysChangedAndTheOthersAreWritten) {
  testing::TempDir dir;
  fs::create_directory(dir.path() / "parts");
  WriteBytes(dir.path() / "Top.CATProduct", R"(<ProductDocument><Product PartNumber="TOP">
  <Products><Instance Name="P.1" File="parts/P.CATPart" /></Products></Product></ProductDocument>)");
  WriteBytes(dir.path() / "parts/P.CATPart",
             R"(<PartDocument><Product PartNumber="P" /><Part /></PartDocument>)");
  const auto app = standin::OpenApplication({dir.path() / "Top.CATProduct"});
  for (const auto& document : app->documents()) {
    Obj(Obj(document->Get("Product"))->Get("UserRefProperties"))->Call("CreateString", {"X", "1"});
  }
  // A file where the part's folder was: its temporary file cannot be made.
  fs::rename(dir.path() / "parts", dir.path() / "moved");
  WriteBytes(dir.path() / "parts", "not a folder");
  try {
    standin::SaveChangedDocuments(*app);
    ADD_FAILURE() << "the save did not fail";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("P.CATPart: cannot be written"), std::string::npos)
        << error.what();
  }
  EXPECT_FALSE(app->documents()[0]->changed());
  EXPECT_TRUE(app->documents()[1]->changed());
  EXPECT_NE(ReadBytes(dir.path() / "Top.CATProduct").find("Name=\"X\""), std::string::npos);
  EXPECT_EQ(ReadBytes(dir.path() / "parts"), "not a folder");
  EXPECT_EQ(fs::directory_iterator(dir.path() / "moved")->path().filename(), "P.CATPart");
}

// Opening the files fails with a message naming the file and the line.
void ExpectRefused(const std::vector<std::pair<std::string, std::string>>& files,
                   const std::string& expected) {
  testing::TempDir dir;
  for (const auto& [name, text] : files) WriteBytes(dir.path() / name, text);
  const fs::path first = dir.path() / files.front().first;
  try {
    standin::OpenApplication({first});
    ADD_FAILURE() << "opened: " << expected;
  } catch (const standin::DocumentError& error) {
    std::string message = error.what();
    const std::string folder = fs::canonical(dir.path()).string() + "/";
    for (size_t at; (at = message.find(folder)) != std::string::npos;)
      message.erase(at, folder.size());
    EXPECT_EQ(message, expected);
  }
}

TEST(DocumentFilesTest, BadFilesAreRefusedWithFileLineAndReason) {
  const auto with_parameter = [](const std::string& parameter) {
    return "<PartDocument><Product PartNumber=\"P\" /><Part><Parameters>\n" + parameter +
           "\n</Parameters></Part></PartDocument>";
  };
  const auto placing = [](const std::string& instances) {
    return "<ProductDocument><Product PartNumber=\"A\"><Products>\n" + instances +
           "</Products></Product></ProductDocument>";
  };
  const std::pair<std::vector<std::pair<std::string, std::string>>, std::string> cases[] = {
      {{{"A.CATPart", "<PartDocument>\n  <Product PartNumber=\"P\">\n</PartDocument>"}},
       "A.CATPart: line 3: not well-formed XML: Start-end tags mismatch"},
      {{{"A.CATPart", "<Document />"}},
       "A.CATPart: line 1: the root element <Document> is not <ProductDocument>, "
       "<PartDocument> or <DrawingDocument>"},
      {{{"A.CATPart", with_parameter(R"(<Parameter Name="L" Type="Integer" Value="1.5" />)")}},
       "A.CATPart: line 2: the value \"1.5\" is not a valid Integer"},
      {{{"A.CATPart", with_parameter("<Parameter Name=\"L\" Type=\"Real\" />\n"
                                     "<Parameter Name=\"L\" Type=\"Real\" />")}},
       "A.CATPart: line 3: the parameter \"L\" is defined twice"},
      {{{"A.CATProduct", placing("<Instance Name=\"M.1\" File=\"Missing.CATPart\" />")}},
       "Missing.CATPart: file not found"},
      {{{"A.CATProduct", placing("<Instance Name=\"B.1\" File=\"B.CATProduct\" />")},
        {"B.CATProduct",
         "<ProductDocument><Product PartNumber=\"B\"><Products>"
         "<Instance Name=\"A.1\" File=\"A.CATProduct\" />"
         "</Products></Product></ProductDocument>"}},
       "A.CATProduct: the product \"A\" contains itself"},
  };
  for (const auto& [files, expected] : cases) ExpectRefused(files, expected);
}

TEST(DocumentFilesTest, TwoDocumentsOfOneNameCannotBeOpen) {
  testing::TempDir dir;
  fs::create_directory(dir.path() / "other");
  const std::string part = R"(<PartDocument><Product PartNumber="P" /><Part /></PartDocument>)";
  WriteBytes(dir.path() / "P.CATPart", part);
  WriteBytes(dir.path() / "other/P.CATPart", part);
  try {
    standin::OpenApplication({dir.path() / "P.CATPart", dir.path() / "other/P.CATPart"});
    ADD_FAILURE() << "both opened";
  } catch (const standin::DocumentError& error) {
    EXPECT_NE(std::string(error.what()).find("a document named \"P.CATPart\" is open already"),
              std::string::npos)
        << error.what();
  }
  // The same file named twice is one document.
  const auto app = standin::OpenApplication({dir.path() / "P.CATPart", dir.path() / "./P.CATPart"});
  EXPECT_EQ(app->documents().size(), 1u);
}

}  // namespace
}  // namespace kelvort
