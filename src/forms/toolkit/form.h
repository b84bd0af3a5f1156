// A form: its window properties, its controls in the form's control order, and its load,
// unload and focus events. Forms are owned by the forms collection, which loads and unloads
// them; how a form is shown is the renderer's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/toolkit/control.h"
#include "platform/platform.h"

namespace kelvort {

enum class BorderStyle : int16_t { kNone = 0, kFixedSingle = 1, kSizable = 2, kFixedDialog = 3 };
enum class StartUpPosition : int16_t {
  kManual = 0,
  kCenterOwner = 1,
  kCenterScreen = 2,
  kWindowsDefault = 3
};

// The font a form's controls show their texts in.
struct FontSpec {
  std::string name = "MS Sans Serif";
  int16_t points = 8;
  bool bold = false;
};

// The window properties a form's design gives it.
struct FormSpec {
  std::string name{};
  std::string caption{};
  std::string tag{};
  // Client area in twips.
  int32_t client_width = 0;
  int32_t client_height = 0;
  BorderStyle border = BorderStyle::kSizable;
  bool min_button = true;
  bool max_button = true;
  bool show_in_taskbar = true;
  StartUpPosition start_up_position = StartUpPosition::kWindowsDefault;
  // File name of the window's icon in the program's resources; empty for none.
  std::string icon{};
  FontSpec font{};
};

class Form;

// What a form's window is told: the form's caption or visibility changed, or a control now
// shows something else (caption, value, text, list, enabled or visible state).
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void FormChanged(Form& form) = 0;
  virtual void ControlChanged(Control& control) = 0;
};

class Form : public std::enable_shared_from_this<Form> {
 public:
  explicit Form(FormSpec design);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return design_.name; }
  const FormSpec& design() const { return design_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Makes the form invisible; a modal showing ends with it.
  void Hide() { SetVisible(false); }
  bool IsLoaded() const { return loaded_; }
  // The window handle the form got when it loaded; 0 before.
  WindowHandle hWnd() const { return handle_; }

  // The controls in the form's control order, menus included.
  const std::vector<Control*>& Controls() const { return order_; }
  // The control of that name (the first member of an array); raises 730 when there is none.
  Control& ControlNamed(std::string_view name) const;
  Control* ActiveControl() const { return active_control_; }

  // Lifecycle, driven by the forms collection: Load runs Form_Load, Unload runs
  // Form_Unload and leaves the form unloaded and hidden.
  void Load(WindowHandle handle);
  void Unload();
  // A renderer reports that the form has been shown and became the active window, and
  // that its window received the focus.
  void Activate() { Form_Activate(); }
  void GotFocus() { Form_GotFocus(); }
  // The window that shows the form; null for none. The observer must outlive its watch.
  void SetObserver(FormObserver* observer) { observer_ = observer; }

 protected:
  // Adds a control at the end of the form's control order.
  template <typename T, typename... Args>
  T& Add(Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T& added = *control;
    Adopt(std::move(control));
    return added;
  }

  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void Form_Activate() {}
  virtual void Form_GotFocus() {}

 private:
  friend class Control;
  void Adopt(std::unique_ptr<Control> control);

  FormSpec design_;
  std::string caption_;
  std::string tag_;
  bool visible_ = false;
  bool loaded_ = false;
  WindowHandle handle_ = 0;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> order_;
  Control* active_control_ = nullptr;
  FormObserver* observer_ = nullptr;
};

}  // namespace kelvort
