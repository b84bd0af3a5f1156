// The base of every control on a form: name, array index, Tag, Enabled, Visible, layout in
// twips and tab order, focus, and the Click and Change events. Every control is also a
// late-bound object whose properties are reached by name.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "forms/toolkit/member_table.h"
#include "host/dispatch.h"

namespace kelvort {

class Form;

// A rectangle in twips (15 twips make one pixel at 96 dots per inch).
struct Layout {
  int32_t left = 0, top = 0, width = 0, height = 0;
};

// What a form's design gives a control.
struct ControlDesign {
  std::string name{};
  // Set for a member of a control array.
  std::optional<int16_t> index{};
  std::string caption{};
  std::string tag{};
  Layout layout{};
  std::optional<int16_t> tab_index{};
};

class Control : public Dispatch {
 public:
  using Event = std::function<void()>;

  Control(std::string type_name, const ControlDesign& design);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  std::string TypeName() override { return type_name_; }
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override;

  const std::string& Name() const { return name_; }
  bool IsArrayMember() const { return index_.has_value(); }
  // The member's index within its control array; a control that is no member raises 343.
  int16_t Index() const;
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const Layout& layout() const { return layout_; }
  std::optional<int16_t> TabIndex() const { return tab_index_; }
  // The form that holds the control; null until a form adopts it.
  Form* form() const { return form_; }

  // Gives the control the focus; raises 5 while it cannot take it (hidden or disabled, or
  // its form is not shown).
  void SetFocus();
  bool HasFocus() const;

  // What a user's click on the control does. Answers false, doing nothing, when the
  // control takes no input now.
  virtual bool UserClick();

  Event on_click;
  Event on_change;

 protected:
  // Whether a user can reach the control now: enabled and visible on a shown form.
  bool TakesInput() const;
  void FireClick() { Fire(on_click); }
  void FireChange() { Fire(on_change); }
  // Tells the form's observer (a renderer's window) that the control shows something new.
  void Changed();
  MemberTable& members() { return members_; }
  // Left, Top, Width, Height and TabIndex, for the kinds that are placed on the form.
  void AddPlacementMembers();

 private:
  friend class Form;
  // Runs an event procedure; the form stays alive while it runs, even if it unloads itself.
  void Fire(const Event& event);

  std::string type_name_;
  std::string name_;
  std::optional<int16_t> index_;
  std::string tag_;
  bool enabled_ = true;
  bool visible_ = true;
  Layout layout_;
  std::optional<int16_t> tab_index_;
  Form* form_ = nullptr;
  MemberTable members_;
};

// A control that shows a caption: labels, buttons, option buttons, check boxes, menus.
class CaptionedControl : public Control {
 public:
  CaptionedControl(std::string type_name, const ControlDesign& design);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

 private:
  std::string caption_;
};

}  // namespace kelvort
