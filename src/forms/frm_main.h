// The main window: the logo, the menus Extras (settings, stay on top) and ? (about, help).
// The run loads it as the holder of the menus, the caption and their saved state.
#pragma once

#include <string>
#include <string_view>

#include "forms/toolkit/form.h"
#include "forms/toolkit/menu.h"
#include "forms/toolkit/static_controls.h"

namespace kelvort {

struct RunState;

// The main window's caption: the product's name, " -  " and its version (kVersion).
std::string WindowCaption();

class FrmMain : public Form {
  RunState& state_;

 public:
  explicit FrmMain(RunState& state);

  PictureBox& Picture1;
  Menu& menExtras;
  Menu& menSettings;
  Menu& menForeground;
  Menu& menInfo;
  Menu& menAbout;
  Menu& menHelp;

  // Gives the five menus their Tags, the lang.xml keys of their captions; the check mark of
  // menForeground is saved state.
  void AssignMenuTags();

 private:
  void Form_Load() override;
  void Form_Unload() override;
  void menSettings_Click();
  void menForeground_Click();
  void menAbout_Click();
  void menHelp_Click();
};

}  // namespace kelvort
