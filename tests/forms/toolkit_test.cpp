// Tests of the form toolkit: properties by name and their conversions, control arrays,
// option groups, lists, and the drive, folder and file lists on a real folder tree.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "forms/forms_fixture.h"
#include "forms/toolkit/buttons.h"
#include "forms/toolkit/file_system_lists.h"
#include "forms/toolkit/list_controls.h"
#include "forms/toolkit/menu.h"
#include "forms/toolkit/text_box.h"
#include "forms/toolkit/toolkit_errors.h"
#include "platform/posix/file_system.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

namespace kelvort {
namespace {

using testing::Items;
using testing::RaisedNumber;
using testing::TestForm;
using ::testing::UnorderedElementsAre;
using Texts = std::vector<std::string>;

TEST(ToolkitTest, PropertiesByNameConvertAsTheFormDesignerDoes) {
  TestForm form;
  auto& option = form.Add<OptionButton>(ControlDesign{.name = "optA", .index = 3});
  auto& check = form.Add<CheckBox>(ControlDesign{.name = "chkA"});
  auto& text = form.Add<TextBox>(ControlDesign{.name = "txtA"});
  auto& menu = form.Add<Menu>(ControlDesign{.name = "menA"});

  // Booleans take True/False in any case, or a number where only 0 is false.
  for (const auto& [value, expected] : std::vector<std::pair<Variant, bool>>{
           {"FALSE", false}, {"tRuE", true}, {"0", false}, {"7", true}}) {
    option.Put("Enabled", value);
    EXPECT_EQ(option.Enabled(), expected) << value.ToText();
  }
  EXPECT_EQ(RaisedNumber([&] { option.Put("Value", "yes"); }), errors::kTypeMismatch);
  EXPECT_EQ(RaisedNumber([&] { menu.Put("Checked", ""); }), errors::kTypeMismatch);
  menu.Put("checked", "-1");  // member names ignore letter case
  EXPECT_TRUE(menu.Checked());

  // Integers: a text that is no number is 13, one out of range 6, a bad value 380.
  check.Put("Value", "2");
  EXPECT_EQ(check.Value(), CheckBox::kGrayed);
  EXPECT_EQ(RaisedNumber([&] { check.Put("Value", "3"); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(RaisedNumber([&] { check.Put("Value", "one"); }), errors::kTypeMismatch);
  EXPECT_EQ(RaisedNumber([&] { check.Put("Value", "40000"); }), errors::kOverflow);
  EXPECT_EQ(check.Value(), CheckBox::kGrayed);
  EXPECT_EQ(RaisedNumber([&] { text.Put("Width", "-15"); }), errors::kInvalidPropertyValue);
  // Words for numbers that are none, and a number beyond every range, are no numbers.
  for (const char* stored : {"nan", "NaN", "inf", "-Infinity", "1e400"}) {
    EXPECT_EQ(RaisedNumber([&] { menu.Put("Checked", stored); }), errors::kTypeMismatch) << stored;
    EXPECT_EQ(RaisedNumber([&] { check.Put("Value", stored); }), errors::kTypeMismatch) << stored;
  }

  // The caret stays within the text.
  text.Put("Text", "Grüße");
  text.Put("SelStart", "5");
  EXPECT_EQ(text.SelStart(), 5);
  EXPECT_EQ(RaisedNumber([&] { text.Put("SelStart", "6"); }), errors::kInvalidPropertyValue);

  // Index: array members answer theirs, other controls fail distinguishably.
  EXPECT_EQ(option.Get("Index"), Variant(int16_t{3}));
  EXPECT_EQ(RaisedNumber([&] { check.Get("Index"); }), errors::kObjectNotAnArray);
}

TEST(ToolkitTest, ListsKeepTheirOrderAndSelection) {
  TestForm form;
  auto& sorted = form.Add<ListBox>(ControlDesign{.name = "lstSorted"}, true);
  auto& combo = form.Add<ComboBox>(ControlDesign{.name = "cmbFilter"});
  int clicks = 0;
  sorted.on_click = [&] { ++clicks; };

  // Sorted ignoring letter case; the selection stays on its item when others come and go.
  for (const char* item : {"delta", "C", "b", "alpha", "Alpha"}) sorted.Call("AddItem", {item});
  EXPECT_EQ(Items(sorted), (Texts{"alpha", "Alpha", "b", "C", "delta"}));
  sorted.Put("ListIndex", "2");
  sorted.Call("AddItem", {"Az"});  // sorts in at the selected position
  sorted.Call("RemoveItem", {Variant(int16_t{0})});
  EXPECT_EQ(sorted.Get("Text"), Variant("b"));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(RaisedNumber([&] { sorted.Put("ListIndex", "6"); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(RaisedNumber([&] { sorted.Get("List", {Variant(int16_t{6})}); }),
            errors::kInvalidPropertyArrayIndex);
  sorted.Call("RemoveItem", {Variant(int16_t{2})});
  EXPECT_EQ(sorted.ListIndex(), -1);

  // A combo box's text follows its selection; its items keep the order they were added in.
  combo.AddItem("*.xml");
  combo.Call("AddItem", {"*.txt", Variant(int16_t{0})});
  combo.SetListIndex(1);
  EXPECT_EQ(combo.Text(), "*.xml");
}

class FileSystemListsTest : public ::testing::Test {
 protected:
  FileSystemListsTest() {
    for (const char* folder : {"Data/Beta", "Data/alpha", "Data/Gamma/Deep"}) {
      std::filesystem::create_directories(dir_.path() / folder);
    }
    for (const char* file :
         {"Data/report.txt", "Data/Notes.TXT", "Data/README", "Data/plan.xml", "Data/Folder (x)"}) {
      testing::WriteBytes(dir_.path() / file, "x");
    }
  }

  testing::TempDir dir_;
  PosixFileSystem files_{"UTF-8"};
  FileSystemView view_{files_, dir_.WinPath("Data")};
  TestForm form_;
};

TEST_F(FileSystemListsTest, FolderListShowsTheHierarchyAndRefusesMissingFolders) {
  auto& folders = form_.Add<DirListBox>(ControlDesign{.name = "lstDir"}, view_);
  std::vector<std::string> changes;
  folders.on_change = [&] { changes.push_back(folders.Path()); };
  const std::string data = dir_.WinPath("Data");

  ASSERT_EQ(folders.Path(), data);
  EXPECT_THAT(Items(folders),
              UnorderedElementsAre(data + "\\Beta", data + "\\alpha", data + "\\Gamma"));
  EXPECT_EQ(folders.List(-1), data);
  EXPECT_EQ(folders.List(-2), dir_.WinPath());

  folders.Put("Path", "Gamma\\Deep");  // relative to the list's folder
  folders.SetPath("..\\..\\Beta\\.\\");
  EXPECT_EQ(changes, (Texts{data + "\\Gamma\\Deep", data + "\\Beta"}));
  EXPECT_EQ(folders.ListCount(), 0);

  // A folder that does not exist leaves the list where it was, without Change.
  EXPECT_EQ(RaisedNumber([&] { folders.SetPath(data + "\\Missing"); }), errors::kPathNotFound);
  EXPECT_EQ(RaisedNumber([&] { folders.SetPath("Q:\\"); }), errors::kPathNotFound);
  EXPECT_EQ(folders.Path(), data + "\\Beta");
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(FileSystemListsTest, FileListMatchesItsPatternAndDriveListKnowsOnlyRealDrives) {
  auto& listed = form_.Add<FileListBox>(ControlDesign{.name = "lstFile"}, view_);
  auto& drives = form_.Add<DriveListBox>(ControlDesign{.name = "lstDrive"}, view_);

  EXPECT_THAT(Items(listed),
              UnorderedElementsAre("Folder (x)", "Notes.TXT", "README", "plan.xml", "report.txt"));
  listed.Put("Pattern", "*.txt");
  EXPECT_THAT(Items(listed), UnorderedElementsAre("Notes.TXT", "report.txt"));
  listed.SetPattern("*.xml;read*");
  EXPECT_THAT(Items(listed), UnorderedElementsAre("README", "plan.xml"));
  listed.SetPattern("Folder (*)");
  EXPECT_EQ(Items(listed), Texts{"Folder (x)"});
  listed.SetPattern("?lan.*");
  EXPECT_EQ(Items(listed), Texts{"plan.xml"});
  EXPECT_EQ(listed.FileName(), "");
  listed.SetListIndex(0);
  EXPECT_EQ(listed.Get("FileName"), Variant("plan.xml"));
  EXPECT_EQ(RaisedNumber([&] { listed.SetPath(dir_.WinPath("Data\\report.txt")); }),
            errors::kPathNotFound);
  EXPECT_EQ(listed.FileName(), "plan.xml");

  EXPECT_EQ(RaisedNumber([&] { drives.SetDrive("Q:"); }), errors::kDeviceUnavailable);
  EXPECT_EQ(drives.Drive(), "Z:");
}

// Records what a form's window is told, in order, and the events between.
class RecordingObserver : public FormObserver {
 public:
  void FormChanged(Form& form) override { told.push_back(form.Name()); }
  void ControlChanged(Control& control) override { told.push_back(control.Name()); }
  Texts told;
};

TEST(ToolkitTest, WindowIsToldOfEveryChangeBeforeTheEventRuns) {
  TestForm form;
  auto& option_a = form.Add<OptionButton>(ControlDesign{.name = "optA"}, true);
  auto& option_b = form.Add<OptionButton>(ControlDesign{.name = "optB"});
  auto& check = form.Add<CheckBox>(ControlDesign{.name = "chkA"});
  auto& text = form.Add<TextBox>(ControlDesign{.name = "txtA"});
  auto& locked = form.Add<TextBox>(ControlDesign{.name = "txtLocked"}, "notice",
                                   TextBoxLook{.multi_line = true, .locked = true});
  auto& combo = form.Add<ComboBox>(ControlDesign{.name = "cmbA"});
  auto& menu = form.Add<Menu>(ControlDesign{.name = "menA"});
  RecordingObserver observer;
  form.SetObserver(&observer);
  for (Control* control : form.Controls()) {
    control->on_click = [&observer] { observer.told.push_back("Click"); };
    control->on_change = [&observer] { observer.told.push_back("Change"); };
  }
  form.Load(1);
  form.SetVisible(true);

  struct Step {
    std::function<void()> act;
    Texts told;
  };
  const Step steps[] = {
      {[&] { form.SetCaption("Settings"); }, {"frmTest"}},
      {[&] { option_b.Put("Value", Variant(true)); }, {"optB", "optA", "Click"}},
      {[&] { option_b.Put("Value", Variant(true)); }, {}},
      {[&] { check.UserClick(); }, {"chkA", "Click"}},
      {[&] { text.UserType("typed"); }, {"txtA", "Change", "txtA"}},
      {[&] { text.Put("SelStart", Variant(int16_t{2})); }, {"txtA"}},
      {[&] { locked.UserType("changed"); }, {}},
      {[&] { combo.Call("AddItem", {Variant("*.CATPart")}); }, {"cmbA"}},
      {[&] { combo.Put("ListIndex", Variant(int16_t{0})); }, {"cmbA", "Click"}},
      {[&] { menu.Put("Checked", Variant(true)); }, {"menA"}},
      {[&] { check.Put("Enabled", Variant(false)); }, {"chkA"}},
      {[&] { form.Hide(); }, {"frmTest"}},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    observer.told.clear();
    steps[i].act();
    EXPECT_EQ(observer.told, steps[i].told) << "step " << i;
  }
  EXPECT_EQ(locked.Text(), "notice");
  EXPECT_FALSE(option_a.Value());
  form.SetObserver(nullptr);
  observer.told.clear();
  form.SetCaption("unwatched");
  EXPECT_TRUE(observer.told.empty());
}
}  // namespace
}  // namespace kelvort
