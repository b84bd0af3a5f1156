// One form's real window: a top-level window with the form's border, size and menus, a
// child window per control at its layout, kept in step with the model through the form's
// observer, and the user's input handed to the controls' User... members.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/run_state.h"
#include "forms/toolkit/form.h"
#include "forms/toolkit/static_controls.h"
#include "platform/windows/win32.h"

namespace kelvort {

class FormWindow : public FormObserver {
 public:
  // Creates the window hidden. close does what the close box does.
  FormWindow(Form& form, RunState& state, std::function<void()> close);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  // The form has been unloaded: the window hides and no longer touches the form.
  void Retire();

  void FormChanged(Form& form) override;
  void ControlChanged(Control& control) override;

  // The window procedure of every form window.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void CreateMenus();
  void CreateControls();
  HWND CreateChild(Control& control, int id);
  void Sync(Control& control);
  void SyncMenu(Control& control);
  // A label whose caption does not fit at the form's font (fonts differ between systems)
  // gets the room for one line of it; every other label keeps its layout and font.
  void FitLabel(const Label& label, HWND child);
  // The pixels from a control's left edge to the next control on its right (or the form's
  // edge), less a small gap.
  int RoomBeside(const Control& label) const;
  // The form's font at a pixel height, made once per height.
  HFONT FontOfHeight(int pixel_height);
  void Command(int id, int code, HWND child);
  // Runs the model's side of an input; a failure is reported under the event's name.
  void RunEvent(const std::string& name, const std::function<void()>& body);
  void Activated();
  void Paint();
  int Pixels(int32_t twips) const { return ::MulDiv(twips, dpi_, 1440); }

  Form* form_;
  RunState& state_;
  std::function<void()> close_;
  int dpi_ = 96;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int font_height_ = 0;
  std::map<int, HFONT> smaller_fonts_;
  HMENU menu_bar_ = nullptr;
  std::vector<HBITMAP> bitmaps_;
  std::map<Control*, HWND> children_;
  std::map<int, Control*> by_id_;
  std::map<Control*, int> ids_;
  // A top-level menu's popup and its position in the menu bar.
  std::map<Control*, std::pair<HMENU, int>> popups_;
  std::map<std::string, HMENU> popup_of_name_;
  // While the window is brought in step with the model, its own notifications are no input.
  bool syncing_ = false;
  // Whether Activate has run in the current showing.
  bool activated_ = false;
};

}  // namespace kelvort
