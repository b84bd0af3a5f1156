// The program's layout on disk in a temporary folder, with the shipped lang.xml and a run
// state whose forms are shown by a scripted renderer: the dialogs' flows run as a user
// would go through them. Also a form for tests to fill and a list's items.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "forms/frm_main.h"
#include "settings/settings_fixture.h"
#include "settings/xml_document.h"
#include "support/scripted_renderer.h"

namespace kelvort::testing {

// A form that a test fills with the controls it needs.
class TestForm : public Form {
 public:
  TestForm() : Form(FormSpec{.name = "frmTest"}) {}
  using Form::Add;
};

// The items of a list control (also of a folder list), in their order.
template <typename List>
std::vector<std::string> Items(const List& list) {
  std::vector<std::string> items;
  for (int16_t i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
  return items;
}

class FormsFixture : public SettingsFixture {
 protected:
  FormsFixture() {
    std::filesystem::copy_file(std::filesystem::path(KELVORT_SOURCE_DIR) / "Config/lang.xml",
                               root() / "Config/lang.xml");
    auto renderer = std::make_unique<ScriptedRenderer>();
    renderer_ = renderer.get();
    renderer_->is_topmost = [this](WindowHandle window) { return test_.windows.IsTopmost(window); };
    FormsOf(state_).SetRenderer(std::move(renderer));
  }

  ScriptedRenderer& renderer() { return *renderer_; }

  // The main window as the run loads it, shown (as a window of its own, not modally) so
  // that its menus take clicks.
  FrmMain& ShowMainWindow() {
    FrmMain& main = FormsOf(state_).frmMain();
    main.SetVisible(true);
    return main;
  }

  // The shipped text of a lang.xml key in a language ("Lang0" English, "Lang1" German).
  std::string Shipped(const std::string& key, const std::string& language) const {
    const XmlDocument texts = XmlDocument::Load(test_.files, WinPath("Config\\lang.xml"));
    return texts.SelectSingleNode("*/" + key).Attribute(language).Text();
  }

  // The per-user Settings.xml's bytes; empty when it does not exist.
  std::string UserSettings() const { return ReadBytes(UserFolder() / "Settings.xml"); }

 private:
  ScriptedRenderer* renderer_ = nullptr;
};

}  // namespace kelvort::testing
