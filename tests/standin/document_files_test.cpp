// Document files: opening, writing changed documents back, and refusing bad files.
#include <gtest/gtest.h>

#include "document_error.h"
#include "document_files.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

DispatchPtr Obj(const Variant& value) {
  return value.ToObject();
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
