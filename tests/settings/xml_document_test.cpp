// Tests of the XML document layer: files as bytes, encodings, node order, bad input, names
// that cannot be written.
#include "settings/xml_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_fixture.h"
#include "support/failure_of.h"

namespace kelvort {
namespace {

using ::testing::ElementsAre;
using testing::kDeclarationLine;
using ::testing::Property;
using testing::RaisedNumber;
using testing::ReadBytes;
using testing::WriteBytes;

class XmlDocumentTest : public testing::SettingsFixture {
 protected:
  // Writes bytes to a file of the temporary folder and loads it.
  XmlDocument LoadBytes(const std::string& bytes) {
    WriteBytes(dir_.path() / "in.xml", bytes);
    return XmlDocument::Load(test_.files, dir_.WinPath("in.xml"));
  }
};

TEST_F(XmlDocumentTest, WritesIso88591WithReferencesAndReadsTheSameTextBack) {
  XmlDocument document = XmlDocument::New();
  document.InsertDeclarationBefore(document.FirstChild());
  XmlNode root = document.AppendElement("SETTINGS");
  XmlNode parameter = root.AppendElement("Parameters").AppendElement("Parameter");
  const std::string latin1_text =
      "Gr\xC3\xB6\xC3\x9F"
      "e \"1\" <&>";                                                           // Größe "1" <&>
  const std::string wide_text = "\xE6\x97\xA5 \xE2\x82\xAC \xF0\x9F\x98\x80";  // 日 € 😀
  parameter.SetAttribute("Name", latin1_text);
  parameter.SetAttribute("Default", wide_text);
  parameter.SetAttribute("Empty", "");
  root.AppendElement("Note");
  const std::string path = dir_.WinPath("out.xml");
  document.Save(test_.files, path);

  const std::string written = ReadBytes(dir_.path() / "out.xml");
  EXPECT_EQ(written, kDeclarationLine +
                         "<SETTINGS>\n"
                         "  <Parameters>\n"
                         "    <Parameter Name=\"Gr\xF6\xDF"
                         "e &quot;1&quot; &lt;&amp;>\" "
                         "Default=\"&#26085; &#8364; &#128512;\" Empty=\"\" />\n"
                         "  </Parameters>\n"
                         "  <Note />\n"
                         "</SETTINGS>\n");

  const XmlDocument loaded = XmlDocument::Load(test_.files, path);
  EXPECT_EQ(loaded.Url(), path);
  const XmlNode again = loaded.SelectSingleNode("SETTINGS/Parameters/Parameter");
  ASSERT_TRUE(again);
  EXPECT_EQ(again.Attribute("Name").Text(), latin1_text);
  EXPECT_EQ(again.Attribute("Default").Text(), wide_text);
  EXPECT_THAT(loaded.ChildNodes(),
              ElementsAre(Property(&XmlNode::Name, "xml"), Property(&XmlNode::Name, "SETTINGS")));

  // A name outside ISO-8859-1 is refused, and the file it would replace kept.
  const XmlDocument foreign = LoadBytes("<?xml version=\"1.0\"?><r><\xE5\x90\x8D v=\"1\"/></r>");
  ASSERT_EQ(foreign.SelectSingleNode("r").ChildNodes().size(), 1u);
  EXPECT_EQ(RaisedNumber([&] { foreign.Save(test_.files, path); }), errors::kInvalidProcedureCall);
  EXPECT_EQ(ReadBytes(dir_.path() / "out.xml"), written);
}

TEST_F(XmlDocumentTest, ReadsTheEncodingTheDeclarationNames) {
  const std::string e_acute = "\xC3\xA9";
  const auto value_of = [&](const std::string& bytes) {
    const XmlDocument document = LoadBytes(bytes);
    const XmlNode root = document.SelectSingleNode("r");
    return root ? root.Attribute("v").Text() : std::string("(not loaded)");
  };
  EXPECT_EQ(value_of("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r v=\"\xE9\"/>"), e_acute);
  EXPECT_EQ(value_of("<?xml version=\"1.0\" encoding=\"latin1\"?><r v=\"\xE9\"/>"), e_acute);
  // One declared ISO-8859-1 that holds only UTF-8 beyond ASCII is read as declared, and marked.
  const std::string iso = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";
  EXPECT_EQ(LoadBytes(iso + "<r v=\"\xC3\xA9\"/>").Utf8DeclaredLatin1Line(), 2);
  EXPECT_EQ(LoadBytes(iso + "<r v=\"\xE9\xC3\xA9\"/>").Utf8DeclaredLatin1Line(), 0);
  EXPECT_EQ(value_of("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r v=\"\xC3\xA9\"/>"), e_acute);
  EXPECT_EQ(value_of("<r v=\"\xC3\xA9\"/>"), e_acute);
  EXPECT_EQ(value_of("\xEF\xBB\xBF<r v=\"\xC3\xA9\"/>"), e_acute);
  EXPECT_EQ(value_of(std::string("\xFF\xFE<\0r\0 \0v\0=\0\"\0\xE9\0\"\0/\0>\0", 22)), e_acute);
  // Whatever a file declared, it is written back in ISO-8859-1 and says so.
  LoadBytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r v=\"\xC3\xA9\"/>")
      .Save(test_.files, dir_.WinPath("in.xml"));
  EXPECT_EQ(ReadBytes(dir_.path() / "in.xml"), kDeclarationLine + "<r v=\"\xE9\" />\n");
  // Bytes that are not what the file claims are refused rather than misread.
  EXPECT_EQ(value_of("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r v=\"\xE9\"/>"), "(not loaded)");
  EXPECT_EQ(value_of("<r v=\"\xE9\"/>"), "(not loaded)");
  EXPECT_EQ(value_of("<r v=\"\xE0\x83\xA9\"/>"), "(not loaded)");  // "é" in three bytes
  EXPECT_EQ(value_of("<?xml version=\"1.0\" encoding=\"windows-1252\"?><r v=\"\x80\"/>"),
            "(not loaded)");
}

// Missing and malformed files give an empty document and stay untouched. A character that
// XML 1.0 forbids makes the file malformed, also through a reference: never a text cut short
// at it. References outside texts and values are plain text. Each fault is described with
// its place ("line:column description").
TEST_F(XmlDocumentTest, MissingOrMalformedFilesGiveAnEmptyDocumentAndStayUntouched) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "0:0 no root element"},
      {"<?xml version=\"1.0\"?>\n<SETTINGS><Parameters><Parameter Name=\"a",
       "2:40 Error parsing element attribute"},
      {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "1:1 text outside the root element"},
      {"<A/>\n <B/>", "2:3 a second root element"},
      {"<A/>trailing text", "1:5 text outside the root element"},
      {"<!-- c --><?xml version=\"1.0\"?><A/>", "1:13 the XML declaration is not at the start"},
      {kDeclarationLine + "<A Name=\"Len&#0;gth\"/>", "2:2 a character that XML does not allow"},
      {kDeclarationLine + "<A Name=\"Len&#x0;gth\"/>", "2:2 a character that XML does not allow"},
      {kDeclarationLine + "<A>Len&#1;gth</A>", "2:4 a character that XML does not allow"},
      {kDeclarationLine + "<A Name=\"&#xFFFE;\"/>", "2:2 a character that XML does not allow"},
      {kDeclarationLine + "<A Name=\"&#xD800;\"/>", "2:2 a character that XML does not allow"},
      {kDeclarationLine + "<A Name=\"&#99999999999;\"/>",
       "2:2 a character that XML does not allow"},
      {kDeclarationLine + "<A Name=\"a\x01\"/>", "2:2 a character that XML does not allow"},
      {kDeclarationLine + std::string("<A Name=\"a") + '\0' + "b\"/>",
       "2:10 Error parsing element attribute"},
      {"<A Name=\"Ma\xC3\"/>", "1:12 a byte that is no UTF-8"},
      {kDeclarationLine + "<A Name=\"&#9;&#xA0;&#x10000;\">&amp;#0;</A>", ""},
      {kDeclarationLine + "<!-- &#0; --><A><![CDATA[&#0;]]></A>", ""},
  };
  for (const auto& [bytes, fault] : cases) {
    SCOPED_TRACE(bytes);
    const XmlDocument document = LoadBytes(bytes);
    ASSERT_TRUE(document);
    const XmlLoadError& error = document.LoadError();
    EXPECT_EQ(error.description.empty()
                  ? std::string()
                  : std::to_string(error.line) + ":" + std::to_string(error.column) + " " +
                        error.description,
              fault);
    const bool readable = fault.empty();
    EXPECT_EQ(document.ChildNodes().empty(), !readable);
    EXPECT_EQ(document.Url().empty(), !readable);
    EXPECT_EQ(ReadBytes(dir_.path() / "in.xml"), bytes);
  }
  for (const std::string& unreadable : {dir_.WinPath("missing.xml"), dir_.WinPath()}) {
    const XmlDocument document = XmlDocument::Load(test_.files, unreadable);
    EXPECT_TRUE(document.ChildNodes().empty());
    EXPECT_NE(document.LoadError().description, "");
    EXPECT_EQ(document.Url(), "");
  }
}

}  // namespace
}  // namespace kelvort
