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
using Names = std::vector<std::string>;

class XmlHelpersTest : public testing::SettingsFixture {
 protected:
  XmlDocument LoadBytes(const std::string& bytes) {
    WriteBytes(root() / "doc.xml", bytes);
    return XmlDocument::Load(test_.files, WinPath("doc.xml"));
  }
};

TEST_F(XmlHelpersTest, CreateXMLDocReplacesTheFileWithAnEmptyRootOrReportsAndChangesNothing) {
  WriteBytes(root() / "Settings.xml", kDeclarationLine + "<SETTINGS>\n  <Old />\n</SETTINGS>\n");
  CreateXMLDoc(state_, WinPath("Settings.xml"), "SETTINGS");
  EXPECT_EQ(ReadBytes(root() / "Settings.xml"), kDeclarationLine + "<SETTINGS />\n");
  EXPECT_TRUE(Reported().empty());

  const auto before = Snapshot();
  CreateXMLDoc(state_, WinPath("Settings.xml"), "not a name");
  state_.ErrorOccurred = false;
  CreateXMLDoc(state_, WinPath("missing\\Settings.xml"), "SETTINGS");
  EXPECT_EQ(Reported(), (Names{"CreateXMLDoc", "CreateXMLDoc"}));
  EXPECT_EQ(Snapshot(), before);
}

// The root is the document's second node, whatever its name; a failed load gets a new
// SETTINGS root in memory only; anything else in front of or behind the root is refused.
TEST_F(XmlHelpersTest, GetXMLRootNodeTakesTheSecondNode) {
  const std::pair<std::string, std::string> cases[] = {
      {"<?xml version=\"1.0\"?><Texts><Save Lang0=\"Save\"/></Texts>", "Texts"},
      {"<?xml version=\"1.0\"?><SETTINGS><Param", "SETTINGS"},
      {"<SETTINGS><UseConfig/></SETTINGS>", ""},
      {"<?xml version=\"1.0\"?><!-- note --><SETTINGS/>", ""},
      {"<SETTINGS/><!-- note -->", ""},
  };
  for (const auto& [bytes, root_name] : cases) {
    SCOPED_TRACE(bytes);
    StartAfresh();
    const XmlNode found = GetXMLRootNode(state_, LoadBytes(bytes));
    EXPECT_EQ(found ? found.Name() : "", root_name);
    EXPECT_EQ(Reported(), root_name.empty() ? Names{"GetXMLRootNode"} : Names{});
    EXPECT_EQ(ReadBytes(root() / "doc.xml"), bytes);
  }
}

TEST_F(XmlHelpersTest, GetXMLNodeFindsTheFirstExactMatchAndCreatesOnlyWhenAsked) {
  const XmlDocument document = LoadBytes(
      "<?xml version=\"1.0\"?><SETTINGS><frmMain n=\"1\"/><Other><A/><!-- note --><B/></Other>"
      "<frmMain n=\"2\"/></SETTINGS>");
  const XmlNode settings = GetXMLRootNode(state_, document);
  EXPECT_EQ(GetXMLNode(state_, settings, "frmMain", true).Attribute("n").Text(), "1");
  EXPECT_FALSE(GetXMLNode(state_, settings, "FRMMAIN", false));
  EXPECT_FALSE(GetXMLNode(state_, settings, "", true));
  EXPECT_EQ(settings.ChildNodes().size(), 3u);
  EXPECT_TRUE(Reported().empty());

  // A node other than an element in front of the match is a format error.
  const XmlNode other = settings.SelectSingleNode("Other");
  EXPECT_TRUE(GetXMLNode(state_, other, "A", false));
  EXPECT_FALSE(GetXMLNode(state_, other, "B", true));
  EXPECT_EQ(Reported(), Names{"GetXMLNode"});

  StartAfresh();
  const XmlNode frm_main = settings.SelectSingleNode("frmMain");
  const XmlNode created = GetXMLNode(state_, frm_main, "Controls", true);
  EXPECT_EQ(frm_main.ChildNodes(), std::vector<XmlNode>{created});
  EXPECT_EQ(GetXMLNode(state_, frm_main, "Controls", true), created);
  EXPECT_EQ(frm_main.ChildNodes().size(), 1u);
}

}  // namespace
}  // namespace kelvort
