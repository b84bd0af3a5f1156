// Tests of CreateXMLDoc, GetXMLRootNode and GetXMLNode.
#include "settings/xml_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_fixture.h"

namespace kelvort {
namespace {

using testing::kDeclarationLine;
using testing::ReadBytes;
using testing::WriteBytes;

class XmlHelpersTest : public testing::SettingsFixture {
 protected:
  XmlDocument LoadBytes(const std::string& bytes) {
    WriteBytes(root() / "doc.xml", bytes);
    return XmlDocument::Load(test_.files, WinPath("doc.xml"));
  }
};

TEST_F(XmlHelpersTest, CreateXMLDocWritesTheDeclarationAndAnEmptyRoot) {
  const std::string file = WinPath("Settings.xml");
  WriteBytes(root() / "Settings.xml", kDeclarationLine + "<SETTINGS>\n  <Old />\n</SETTINGS>\n");
  CreateXMLDoc(state_, file, "SETTINGS");
  EXPECT_EQ(ReadBytes(root() / "Settings.xml"), kDeclarationLine + "<SETTINGS />\n");
  EXPECT_TRUE(Reported().empty());

  const XmlDocument loaded = XmlDocument::Load(test_.files, file);
  const XmlNode settings = GetXMLRootNode(state_, loaded);
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings.Name(), "SETTINGS");
  EXPECT_TRUE(settings.ChildNodes().empty());
  EXPECT_EQ(loaded.FirstChild().Name(), "xml");

  CreateXMLDoc(state_, WinPath("lang.xml"), "Languages");
  EXPECT_EQ(ReadBytes(root() / "lang.xml"), kDeclarationLine + "<Languages />\n");
}

TEST_F(XmlHelpersTest, CreateXMLDocFailuresAreReportedAndChangeNoFile) {
  const std::string old_content = kDeclarationLine + "<SETTINGS>\n  <Kept />\n</SETTINGS>\n";
  WriteBytes(root() / "Settings.xml", old_content);
  const auto before = Snapshot();

  CreateXMLDoc(state_, WinPath("Settings.xml"), "not a name");
  EXPECT_EQ(Reported(), (std::vector<std::string>{"CreateXMLDoc"}));

  state_.ErrorOccurred = false;
  CreateXMLDoc(state_, WinPath("missing\\Settings.xml"), "SETTINGS");
  EXPECT_EQ(Reported(), (std::vector<std::string>{"CreateXMLDoc", "CreateXMLDoc"}));

  // While ErrorOccurred is set nothing is written and nothing reported.
  CreateXMLDoc(state_, WinPath("Other.xml"), "SETTINGS");
  EXPECT_EQ(Reported().size(), 2u);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(XmlHelpersTest, GetXMLRootNodeTakesTheSecondNodeWhateverItsName) {
  const XmlDocument lang =
      LoadBytes("<?xml version=\"1.0\"?><Texts><Save Lang0=\"Save\"/></Texts>");
  const XmlNode root_node = GetXMLRootNode(state_, lang);
  ASSERT_TRUE(root_node);
  EXPECT_EQ(root_node.Name(), "Texts");

  // A failed load: a new SETTINGS root in memory only.
  const std::string broken = "<?xml version=\"1.0\"?><SETTINGS><Param";
  const XmlDocument empty = LoadBytes(broken);
  const XmlNode fresh = GetXMLRootNode(state_, empty);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh.Name(), "SETTINGS");
  EXPECT_EQ(empty.ChildNodes().size(), 1u);
  EXPECT_EQ(ReadBytes(root() / "doc.xml"), broken);
  EXPECT_TRUE(Reported().empty());
}

TEST_F(XmlHelpersTest, GetXMLRootNodeReportsFilesWithoutANodeInFrontOfAnElementRoot) {
  const std::vector<std::string> refused = {
      "<SETTINGS><UseConfig/></SETTINGS>",                // no declaration: a second root
      "<?xml version=\"1.0\"?><!-- note --><SETTINGS/>",  // a comment in front of the root
      "<?xml version=\"1.0\"?><?tool data?><SETTINGS/>",  // a processing instruction
      "<SETTINGS/><!-- note -->",                         // a comment behind the only root
  };
  for (const std::string& bytes : refused) {
    SCOPED_TRACE(bytes);
    state_.ErrorOccurred = false;
    test_.message_boxes.boxes.clear();
    const XmlDocument document = LoadBytes(bytes);
    const size_t nodes = document.ChildNodes().size();
    EXPECT_FALSE(GetXMLRootNode(state_, document));
    EXPECT_EQ(Reported(), (std::vector<std::string>{"GetXMLRootNode"}));
    EXPECT_EQ(document.ChildNodes().size(), nodes);
  }

  // No document at all is reported too; while ErrorOccurred is set nothing happens.
  state_.ErrorOccurred = false;
  test_.message_boxes.boxes.clear();
  EXPECT_FALSE(GetXMLRootNode(state_, XmlDocument()));
  EXPECT_EQ(Reported(), (std::vector<std::string>{"GetXMLRootNode"}));
  const XmlDocument empty = XmlDocument::New();
  EXPECT_FALSE(GetXMLRootNode(state_, empty));
  EXPECT_TRUE(empty.ChildNodes().empty());
  EXPECT_EQ(Reported().size(), 1u);
}

TEST_F(XmlHelpersTest, GetXMLNodeFindsTheFirstExactMatchAndCreatesOnlyWhenAsked) {
  const XmlDocument document = LoadBytes(
      "<?xml version=\"1.0\"?><SETTINGS><frmMain n=\"1\"/><Other/><frmMain n=\"2\"/></SETTINGS>");
  const XmlNode settings = GetXMLRootNode(state_, document);
  EXPECT_EQ(GetXMLNode(state_, settings, "frmMain", true).Attribute("n").Text(), "1");

  EXPECT_FALSE(GetXMLNode(state_, settings, "FRMMAIN", false));
  EXPECT_FALSE(GetXMLNode(state_, settings, "frmMain ", false));
  EXPECT_EQ(settings.ChildNodes().size(), 3u);

  EXPECT_FALSE(GetXMLNode(state_, settings, "", true));
  EXPECT_EQ(settings.ChildNodes().size(), 3u);

  const XmlNode created = GetXMLNode(state_, settings, "frmSettings", true);
  ASSERT_TRUE(created);
  EXPECT_EQ(settings.ChildNodes().size(), 4u);
  EXPECT_EQ(settings.ChildNodes().back(), created);
  EXPECT_EQ(GetXMLNode(state_, settings, "frmSettings", true), created);
  EXPECT_EQ(settings.ChildNodes().size(), 4u);
  EXPECT_TRUE(Reported().empty());
}

TEST_F(XmlHelpersTest, GetXMLNodeReportsANodeOtherThanAnElementBeforeTheMatch) {
  const XmlDocument document = LoadBytes(
      "<?xml version=\"1.0\"?><SETTINGS>"
      "<A/><!-- note --><B/>"
      "<Texts>free text<C/></Texts>"
      "</SETTINGS>");
  const XmlNode settings = GetXMLRootNode(state_, document);
  EXPECT_TRUE(GetXMLNode(state_, settings, "A", false));  // found before the comment

  EXPECT_FALSE(GetXMLNode(state_, settings, "B", true));
  EXPECT_EQ(Reported(), (std::vector<std::string>{"GetXMLNode"}));
  state_.ErrorOccurred = false;
  const XmlNode texts = settings.SelectSingleNode("Texts");
  EXPECT_FALSE(GetXMLNode(state_, texts, "C", true));
  EXPECT_EQ(Reported(), (std::vector<std::string>{"GetXMLNode", "GetXMLNode"}));

  // While ErrorOccurred is set: no element, no new element, no report.
  EXPECT_FALSE(GetXMLNode(state_, settings, "A", true));
  EXPECT_FALSE(GetXMLNode(state_, settings, "New", true));
  EXPECT_FALSE(settings.SelectSingleNode("New"));
  EXPECT_EQ(Reported().size(), 2u);
}

}  // namespace
}  // namespace kelvort
