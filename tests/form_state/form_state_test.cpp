// Tests of the saved control state: what a save writes to Settings.xml and in which order,
// what a restore applies, and how failures end a restore.
#include "form_state/form_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms_fixture.h"
#include "forms/frm_settings.h"
#include "forms/toolkit/buttons.h"
#include "forms/toolkit/list_controls.h"
#include "forms/toolkit/menu.h"
#include "forms/toolkit/static_controls.h"
#include "forms/toolkit/text_box.h"
#include "settings/settings_file.h"

namespace kelvort {
namespace {

using testing::TestForm;

class FormStateTest : public testing::FormsFixture {
 protected:
  // Per-user settings (mode 1) in the default folder.
  void UsePerUserSettings() {
    GetGlobalSettings(state_);
    ASSERT_EQ(state_.SettingsMode, SettingsSource::kPerUser);
  }
};

TEST_F(FormStateTest, SaveStoresEachKindByItsNameAndOnlyControlsMarkedByTheirTag) {
  UsePerUserSettings();
  TestForm form;
  auto& items = form.Add<ListBox>(ControlDesign{.name = "lstItems", .tag = ",1"});
  form.Add<ListBox>(ControlDesign{.name = "lstEmpty", .tag = "Key,1,extra"});
  auto& menu = form.Add<Menu>(ControlDesign{.name = "menTop", .tag = "Foreground,1"}, "", true);
  auto& name =
      form.Add<TextBox>(ControlDesign{.name = "txtName", .index = 3, .tag = ",1"}, "Grüße");
  form.Add<CheckBox>(ControlDesign{.name = "chkA", .tag = "A,1"}, CheckBox::kChecked);
  form.Add<ComboBox>(ControlDesign{.name = "cmbA", .tag = "A,01"});
  form.Add<CheckBox>(ControlDesign{.name = "chkBlank", .tag = "A, 1"});
  form.Add<CheckBox>(ControlDesign{.name = "chkTrailing", .tag = "A,1 "});
  form.Add<CheckBox>(ControlDesign{.name = "chkKeyOnly", .tag = "A"});
  form.Add<CommandButton>(ControlDesign{.name = "cmdOther", .tag = "Other,1"});
  for (const char* item : {"one", "two", "three", "four", "five"}) items.AddItem(item);
  items.SetListIndex(1);
  name.SetEnabled(false);

  WriteSettings(state_, form);
  items.Call("RemoveItem", {Variant(int16_t{4})});
  items.Call("RemoveItem", {Variant(int16_t{3})});
  items.Call("RemoveItem", {Variant(int16_t{2})});
  menu.SetChecked(true);
  WriteSettings(state_, form);

  EXPECT_EQ(UserSettings(), testing::kDeclarationLine +
                                "<SETTINGS>\n"
                                "  <frmTest>\n"
                                "    <Controls>\n"
                                "      <lstItems Enabled=\"True\" ListIndex=\"1\">\n"
                                "        <Attr0 Value=\"one\" />\n"
                                "        <Attr1 Value=\"two\" />\n"
                                "      </lstItems>\n"
                                "      <lstEmpty Enabled=\"True\" ListIndex=\"-1\" />\n"
                                "      <menTop Enabled=\"True\" Checked=\"-1\" />\n"
                                "      <txtName>\n"
                                "        <Index_3 Enabled=\"False\" Text=\"Gr\xFC\xDF"
                                "e\" />\n"
                                "      </txtName>\n"
                                "      <chkA Enabled=\"True\" Value=\"1\" />\n"
                                "      <cmdOther Enabled=\"True\" />\n"
                                "    </Controls>\n"
                                "  </frmTest>\n"
                                "</SETTINGS>\n");
  EXPECT_TRUE(Reported().empty());
}

TEST_F(FormStateTest, RestoreAppliesStoredAttributesAndOnlyAddsMissingListItems) {
  UsePerUserSettings();
  WriteUserSettings(
      "<frmTest><Controls>"
      "<lstItems Enabled='0' ListIndex='3'>"
      "<Attr0 Value='B'/><Attr1 Value='C'/><Attr2 Value='b'/><Attr3 Value=''/></lstItems>"
      "<txtName><Index_2 Text='not mine'/><Index_3 Text='restored' Enabled='False'/></txtName>"
      "<optA Value='true'/><menTop Checked='-1'/><chkA Value='2' Unknown='x'/>"
      "<cmdGone Enabled='False'/>"
      "</Controls></frmTest>");
  TestForm form;
  auto& items = form.Add<ListBox>(ControlDesign{.name = "lstItems"});
  auto& name = form.Add<TextBox>(ControlDesign{.name = "txtName", .index = 3});
  auto& other = form.Add<TextBox>(ControlDesign{.name = "txtName", .index = 4}, "kept");
  auto& option = form.Add<OptionButton>(ControlDesign{.name = "optA"});
  auto& menu = form.Add<Menu>(ControlDesign{.name = "menTop"});
  auto& check = form.Add<CheckBox>(ControlDesign{.name = "chkA"});
  auto& untouched = form.Add<CheckBox>(ControlDesign{.name = "chkB"}, CheckBox::kChecked);
  items.AddItem("A");
  items.AddItem("B");

  ReadSettings(state_, form);

  EXPECT_EQ(testing::Items(items), (std::vector<std::string>{"A", "B", "C", "b", ""}));
  EXPECT_EQ(items.ListIndex(), 3) << "the stored position, applied after the additions";
  EXPECT_FALSE(items.Enabled());
  EXPECT_EQ(name.Text(), "restored");
  EXPECT_FALSE(name.Enabled());
  EXPECT_EQ(other.Text(), "kept");
  EXPECT_TRUE(option.Value());
  EXPECT_TRUE(menu.Checked());
  EXPECT_EQ(check.Value(), CheckBox::kGrayed);
  EXPECT_EQ(untouched.Value(), CheckBox::kChecked);
  EXPECT_TRUE(Reported().empty());

  // Restoring again adds nothing more.
  ReadSettings(state_, form);
  EXPECT_EQ(items.ListCount(), 5);
  EXPECT_TRUE(Reported().empty());
}

TEST_F(FormStateTest, SharedSettingsWinInOverlayModeUnlessTheRestoreFailed) {
  WriteShared(
      testing::SettingsXml("<UseConfig Value='TRUE' OnlyReadConfig='false'/>"
                           "<frmTest><Controls><txtName Text='shared'/></Controls></frmTest>"));
  GetGlobalSettings(state_);
  ASSERT_EQ(state_.SettingsMode, SettingsSource::kPerUserOverlaid);
  WriteUserSettings(
      "<frmTest><Controls><txtName Text='mine'/><chkA Value='1'/></Controls></frmTest>");
  TestForm form;
  auto& check = form.Add<CheckBox>(ControlDesign{.name = "chkA"});
  auto& items = form.Add<ListBox>(ControlDesign{.name = "lstItems"});
  auto& name = form.Add<TextBox>(ControlDesign{.name = "txtName"});

  ReadSettings(state_, form);
  EXPECT_EQ(name.Text(), "shared");
  EXPECT_EQ(check.Value(), CheckBox::kChecked);
  EXPECT_TRUE(Reported().empty());

  // A stored ListIndex outside the list ends the restore: controls before it keep what was
  // restored, those after it their state, and the shared file is not applied.
  name.SetText("before");
  check.SetValue(CheckBox::kUnchecked);
  WriteUserSettings(
      "<frmTest><Controls><chkA Value='1'/><lstItems ListIndex='1'><Attr0 Value='only'/></lstItems>"
      "<txtName Text='mine'/></Controls></frmTest>");
  ReadSettings(state_, form);
  EXPECT_EQ(check.Value(), CheckBox::kChecked);
  EXPECT_EQ(items.ListCount(), 1);
  EXPECT_EQ(items.ListIndex(), -1);
  EXPECT_EQ(name.Text(), "before");
  EXPECT_EQ(Reported(), (std::vector<std::string>{"ReadXMLControls", "ReadSettings"}));
}

TEST_F(FormStateTest, SaveNeverOverwritesASettingsFileItCouldNotRead) {
  UsePerUserSettings();
  WriteUserSettings("<frmTest>");
  const std::string unreadable = UserSettings();
  TestForm form;
  form.Add<CheckBox>(ControlDesign{.name = "chkA", .tag = "A,1"});

  WriteSettings(state_, form);
  EXPECT_EQ(UserSettings(), unreadable);
  EXPECT_EQ(Reported(), std::vector<std::string>{"WriteSettings"});
  EXPECT_NE(test_.message_boxes.boxes[0].text.find("cannot be read"), std::string::npos);
  EXPECT_EQ(state_.FailureCount, 1);
}

}  // namespace
}  // namespace kelvort
