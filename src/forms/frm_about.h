// The about box: the maker's logo, contact block and rights notice; OK closes it.
#pragma once

#include "forms/toolkit/buttons.h"
#include "forms/toolkit/form.h"
#include "forms/toolkit/static_controls.h"
#include "forms/toolkit/text_box.h"

namespace kelvort {

struct RunState;

class FrmAbout : public Form {
  RunState& state_;

 public:
  explicit FrmAbout(RunState& state);

  PictureBox& Picture1;
  // The contact block, top to bottom: company, street, town, country, telephone, telefax,
  // web address.
  Label& Label1;
  Label& Label2;
  Label& Label3;
  Label& Label8;
  Label& Label4;
  Label& Label5;
  Label& Label6;
  Line& Line1;
  TextBox& Text1;
  CommandButton& cmdOK;

 private:
  void cmdOK_Click();
};

}  // namespace kelvort
