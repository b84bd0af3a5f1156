// Tests of the XML document layer: files as bytes, encodings, node order, bad input.
#include "settings/xml_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/failure_of.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/test_platform.h"

namespace kelvort {
namespace {

using testing::RaisedNumber;
using testing::ReadBytes;
using testing::WriteBytes;

const std::string kDeclarationLine =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\" standalone=\"yes\"?>\n";

class XmlDocumentTest : public ::testing::Test {
 protected:
  // Writes bytes to a file of the temporary folder and loads it.
  XmlDocument LoadBytes(const std::string& bytes) {
    WriteBytes(dir_.path() / "in.xml", bytes);
    return XmlDocument::Load(test_.files, dir_.WinPath("in.xml"));
  }
  std::vector<std::string> Names(const std::vector<XmlNode>& nodes) {
    std::vector<std::string> names;
    for (const XmlNode& node : nodes) names.push_back(node.Name());
    return names;
  }

  testing::TempDir dir_;
  testing::TestPlatform test_;
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

  EXPECT_EQ(ReadBytes(dir_.path() / "out.xml"),
            kDeclarationLine +
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
  EXPECT_EQ(Names(loaded.ChildNodes()), (std::vector<std::string>{"xml", "SETTINGS"}));
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
  EXPECT_EQ(value_of("<?xml version=\"1.0\" encoding=\"windows-1252\"?><r v=\"\x80\"/>"),
            "(not loaded)");
}

TEST_F(XmlDocumentTest, MissingOrMalformedFilesGiveAnEmptyDocumentAndStayUntouched) {
  const std::vector<std::string> malformed = {
      "",
      "   \n",
      "<?xml version=\"1.0\"?>",
      "<?xml version=\"1.0\"?><SETTINGS><Parameters>",
      "<?xml version=\"1.0\"?><SETTINGS><Parameters><Parameter Name=\"a",
      "This is not XML at all.",
      std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
      "<A/><B/>",
      "<A/>trailing text",
      "text in front<A/>",
      "<!-- c --><?xml version=\"1.0\"?><A/>",
      "<A><B></A></B>",
  };
  for (const std::string& bytes : malformed) {
    SCOPED_TRACE(bytes);
    const XmlDocument document = LoadBytes(bytes);
    ASSERT_TRUE(document);
    EXPECT_TRUE(document.ChildNodes().empty());
    EXPECT_EQ(document.Url(), "");
    EXPECT_EQ(ReadBytes(dir_.path() / "in.xml"), bytes);
  }
  const XmlDocument missing = XmlDocument::Load(test_.files, dir_.WinPath("missing.xml"));
  EXPECT_TRUE(missing.ChildNodes().empty());
  EXPECT_EQ(missing.Url(), "");
  const XmlDocument folder = XmlDocument::Load(test_.files, dir_.WinPath());
  EXPECT_TRUE(folder.ChildNodes().empty());
}

// A character that XML 1.0 forbids makes the file malformed, also through a reference:
// never a text cut short at it. References outside texts and values are plain text.
TEST_F(XmlDocumentTest, CharactersThatXmlForbidsMakeTheFileMalformed) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"<A Name=\"Len&#0;gth\"/>", false},
      {"<A Name=\"Len&#x0;gth\"/>", false},
      {"<A>Len&#1;gth</A>", false},
      {"<A Name=\"&#xFFFE;\"/>", false},
      {"<A Name=\"&#xD800;\"/>", false},
      {"<A Name=\"&#99999999999;\"/>", false},
      {"<A Name=\"a\x01\"/>", false},
      {std::string("<A Name=\"a") + '\0' + "b\"/>", false},
      {"<A Name=\"&#9;&#xA0;&#x10000;\">&amp;#0;</A>", true},
      {"<!-- &#0; --><A><![CDATA[&#0;]]></A>", true},
  };
  for (const auto& [body, readable] : cases) {
    SCOPED_TRACE(body);
    const XmlDocument document = LoadBytes(kDeclarationLine + body);
    EXPECT_EQ(document.Url().empty(), !readable);
    EXPECT_EQ(document.ChildNodes().empty(), !readable);
  }
}

TEST_F(XmlDocumentTest, KeepsNodeOrderAndKindsAndDropsWhitespaceBetweenElements) {
  const XmlDocument document = LoadBytes(
      "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
      "<!-- in front -->\n"
      "<SETTINGS>\n"
      "  <A/>\n"
      "  <!-- between -->\n"
      "  <?tool data?>\n"
      "  <B> some text </B>\n"
      "  <A/>\n"
      "</SETTINGS>\n");
  const std::vector<XmlNode> top = document.ChildNodes();
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(top[0].Kind(), XmlNodeKind::kProcessingInstruction);
  EXPECT_EQ(top[0].Name(), "xml");
  EXPECT_EQ(top[1].Kind(), XmlNodeKind::kComment);
  EXPECT_EQ(top[2].Kind(), XmlNodeKind::kElement);
  EXPECT_EQ(document.Kind(), XmlNodeKind::kDocument);

  const std::vector<XmlNode> children = top[2].ChildNodes();
  EXPECT_EQ(Names(children), (std::vector<std::string>{"A", "#comment", "tool", "B", "A"}));
  EXPECT_EQ(children[2].Kind(), XmlNodeKind::kProcessingInstruction);
  const std::vector<XmlNode> text = children[3].ChildNodes();
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0].Kind(), XmlNodeKind::kText);

  // Saved and loaded again: the same nodes in the same order.
  document.Save(test_.files, dir_.WinPath("again.xml"));
  const XmlDocument again = XmlDocument::Load(test_.files, dir_.WinPath("again.xml"));
  EXPECT_EQ(Names(again.ChildNodes()), (std::vector<std::string>{"xml", "#comment", "SETTINGS"}));
  EXPECT_EQ(Names(again.ChildNodes()[2].ChildNodes()), Names(children));
  EXPECT_EQ(again.SelectSingleNode("SETTINGS/B").ChildNodes().size(), 1u);
}

TEST_F(XmlDocumentTest, StructureRulesOfAConformingDocument) {
  XmlDocument document = XmlDocument::New();
  const XmlNode root = document.AppendElement("ROOT");
  // A second element at the top is refused and changes nothing.
  EXPECT_EQ(RaisedNumber([&] { document.AppendElement("SETTINGS"); }),
            errors::kInvalidProcedureCall);
  EXPECT_EQ(document.ChildNodes().size(), 1u);
  // The declaration only as the first node, and only once.
  EXPECT_EQ(RaisedNumber([&] { document.InsertDeclarationBefore(XmlNode()); }),
            errors::kInvalidProcedureCall);
  const XmlNode declaration = document.InsertDeclarationBefore(root);
  EXPECT_EQ(document.FirstChild(), declaration);
  EXPECT_EQ(RaisedNumber([&] { document.InsertDeclarationBefore(declaration); }),
            errors::kInvalidProcedureCall);
  EXPECT_EQ(RaisedNumber([&] { XmlNode(root).InsertDeclarationBefore(XmlNode()); }),
            errors::kInvalidProcedureCall);
  // Names that would make the file unreadable.
  for (const char* name : {"", "a b", "1st", "a<b", "x\"y"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(RaisedNumber([&] { XmlNode(root).AppendElement(name); }),
              errors::kInvalidProcedureCall);
    EXPECT_EQ(RaisedNumber([&] { XmlNode(root).SetAttribute(name, "v"); }),
              errors::kInvalidProcedureCall);
  }
  EXPECT_TRUE(root.ChildNodes().empty());
  EXPECT_TRUE(root.Attributes().empty());
  // A node removed from its parent, and only from its own parent.
  XmlNode parent = XmlNode(root).AppendElement("Parent");
  const XmlNode first = parent.AppendElement("First");
  parent.AppendElement("Second");
  EXPECT_EQ(RaisedNumber([&] { XmlNode(root).RemoveChild(first); }), errors::kInvalidProcedureCall);
  parent.RemoveChild(first);
  EXPECT_EQ(Names(parent.ChildNodes()), (std::vector<std::string>{"Second"}));
}

TEST_F(XmlDocumentTest, AttributesByNameAbsentAndEmptyAreDistinct) {
  const XmlDocument document = LoadBytes("<?xml version=\"1.0\"?><r a=\"\" b=\"x\"/>");
  XmlNode element = document.SelectSingleNode("r");
  ASSERT_TRUE(element);
  EXPECT_TRUE(element.Attribute("a"));
  EXPECT_EQ(element.Attribute("a").Text(), "");
  EXPECT_FALSE(element.Attribute("c"));
  EXPECT_FALSE(element.Attribute("B"));
  EXPECT_EQ(RaisedNumber([&] { element.Attribute("c").Text(); }), errors::kObjectVariableNotSet);

  // Setting replaces an attribute where it stands; a new one goes to the end.
  element.SetAttribute("a", "new");
  element.SetAttribute("c", "3");
  std::vector<std::string> attributes;
  for (const XmlAttribute& attribute : element.Attributes()) {
    attributes.push_back(attribute.Name() + "=" + attribute.Text());
  }
  EXPECT_EQ(attributes, (std::vector<std::string>{"a=new", "b=x", "c=3"}));

  // Nodes that are no elements have no attributes.
  const XmlNode declaration = document.FirstChild();
  EXPECT_EQ(RaisedNumber([&] { declaration.Attribute("version"); }), errors::kMemberNotSupported);
}

TEST_F(XmlDocumentTest, NoNodeAndNoDocumentRaiseObjectNotSet) {
  const XmlNode none;
  const XmlDocument no_document;
  EXPECT_FALSE(none);
  EXPECT_FALSE(no_document);
  EXPECT_EQ(none.Kind(), XmlNodeKind::kNone);
  EXPECT_EQ(RaisedNumber([&] { none.ChildNodes(); }), errors::kObjectVariableNotSet);
  EXPECT_EQ(RaisedNumber([&] { none.SelectNodes("Parameter"); }), errors::kObjectVariableNotSet);
  EXPECT_EQ(RaisedNumber([&] { none.Name(); }), errors::kObjectVariableNotSet);
  EXPECT_EQ(RaisedNumber([&] { no_document.SelectSingleNode("SETTINGS"); }),
            errors::kObjectVariableNotSet);
  EXPECT_EQ(RaisedNumber([&] { no_document.Save(test_.files, dir_.WinPath("none.xml")); }),
            errors::kObjectVariableNotSet);
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "none.xml"));

  // A moved document keeps its nodes valid; the one moved from is no document.
  XmlDocument first = XmlDocument::New();
  const XmlNode root = first.AppendElement("ROOT");
  XmlDocument second = std::move(first);
  EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): moved-from state is defined
  EXPECT_EQ(second.FirstChild(), root);
  EXPECT_EQ(root.Name(), "ROOT");
}

TEST_F(XmlDocumentTest, XPathSelectsInDocumentOrder) {
  const XmlDocument document = LoadBytes(
      "<?xml version=\"1.0\"?><SETTINGS>"
      "<UseConfig Value=\"first\"/><UseConfig Value=\"second\"/>"
      "<Parameters><!-- c --><Parameter Name=\"1\"/><Other/><Parameter Name=\"2\"/></Parameters>"
      "<Parameters><Parameter Name=\"3\"/></Parameters>"
      "</SETTINGS>");
  EXPECT_EQ(document.SelectSingleNode("SETTINGS/UseConfig").Attribute("Value").Text(), "first");
  EXPECT_FALSE(document.SelectSingleNode("SETTINGS/ErrorPath"));
  EXPECT_FALSE(document.SelectSingleNode("settings/UseConfig"));

  const XmlNode root = document.SelectSingleNode("SETTINGS");
  const XmlNode parameters = root.SelectSingleNode("Parameters");
  std::vector<std::string> names;
  for (const XmlNode& parameter : parameters.SelectNodes("Parameter")) {
    names.push_back(parameter.Attribute("Name").Text());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"1", "2"}));
  EXPECT_TRUE(parameters.SelectNodes("Missing").empty());
  EXPECT_TRUE(root.SelectNodes("@Value").empty());
  EXPECT_EQ(RaisedNumber([&] { root.SelectNodes("Parameters/["); }), errors::kInvalidProcedureCall);
  EXPECT_EQ(RaisedNumber([&] { root.SelectNodes("1 + 1"); }), errors::kInvalidProcedureCall);
}

TEST_F(XmlDocumentTest, ANameOutsideIso88591IsRefusedAndTheFileKept) {
  const std::string original = "<?xml version=\"1.0\"?><r/>";
  WriteBytes(dir_.path() / "kept.xml", original);
  const XmlDocument document = LoadBytes("<?xml version=\"1.0\"?><r><\xE5\x90\x8D v=\"1\"/></r>");
  ASSERT_EQ(document.SelectSingleNode("r").ChildNodes().size(), 1u);
  EXPECT_EQ(RaisedNumber([&] { document.Save(test_.files, dir_.WinPath("kept.xml")); }),
            errors::kInvalidProcedureCall);
  EXPECT_EQ(ReadBytes(dir_.path() / "kept.xml"), original);
}

TEST_F(XmlDocumentTest, SavingReplacesTheFileAtomically) {
  const std::string old_content = kDeclarationLine + "<SETTINGS>\n  <Old />\n</SETTINGS>\n";
  WriteBytes(dir_.path() / "Settings.xml", old_content);
  XmlDocument document = XmlDocument::Load(test_.files, dir_.WinPath("Settings.xml"));
  XmlNode parameters = document.SelectSingleNode("SETTINGS").AppendElement("Parameters");
  for (int i = 0; i < 2000; ++i) {
    parameters.AppendElement("Parameter").SetAttribute("Name", "P" + std::to_string(i));
  }
  const auto save = [&] { document.Save(test_.files, dir_.WinPath("Settings.xml")); };

  // The write fails half-way: the old file is whole and no temporary file is left.
  {
    const testing::FileSizeLimit limit(4096);
    EXPECT_NE(RaisedNumber(save), 0);
  }
  EXPECT_EQ(ReadBytes(dir_.path() / "Settings.xml"), old_content);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1);

  // With room enough the same save succeeds.
  EXPECT_EQ(RaisedNumber(save), 0);
  const std::string written = ReadBytes(dir_.path() / "Settings.xml");
  EXPECT_GT(written.size(), 4096u);
  EXPECT_NE(written.find("<Parameter Name=\"P1999\" />"), std::string::npos);
}

TEST_F(XmlDocumentTest, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsPermissions) {
  namespace fs = std::filesystem;
  fs::create_directory(dir_.path() / "shared");
  const fs::path target = dir_.path() / "shared" / "real.xml";
  WriteBytes(target, kDeclarationLine + "<SETTINGS />\n");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = dir_.path() / "Settings.xml";
  fs::create_symlink(target, link);

  XmlDocument document = XmlDocument::Load(test_.files, dir_.WinPath("Settings.xml"));
  document.SelectSingleNode("SETTINGS").AppendElement("New");
  document.Save(test_.files, document.Url());

  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), target);
  EXPECT_EQ(ReadBytes(target), kDeclarationLine + "<SETTINGS>\n  <New />\n</SETTINGS>\n");
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace kelvort
