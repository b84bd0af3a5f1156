// The base of every control on a form.
#include "forms/toolkit/control.h"

#include "forms/toolkit/form.h"
#include "forms/toolkit/toolkit_errors.h"
#include "util/run_error.h"

namespace kelvort {

Control::Control(std::string type_name, const ControlDesign& design)
    : type_name_(std::move(type_name)),
      name_(design.name),
      index_(design.index),
      tag_(design.tag),
      layout_(design.layout),
      tab_index_(design.tab_index) {
  members_.AddProperty("Name", [this] { return Variant(name_); });
  members_.AddProperty("Index", [this] { return Variant(Index()); });
  members_.AddProperty(
      "Tag", [this] { return Variant(tag_); }, [this](const Variant& v) { tag_ = v.ToText(); });
  members_.AddProperty(
      "Enabled", [this] { return Variant(Enabled()); },
      [this](const Variant& v) { SetEnabled(v.ToBoolean()); });
  members_.AddProperty(
      "Visible", [this] { return Variant(visible_); },
      [this](const Variant& v) { SetVisible(v.ToBoolean()); });
  members_.AddMethod("SetFocus", [this](MemberTable::Arguments) {
    SetFocus();
    return Variant();
  });
}

Variant Control::Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) {
  return members_.Invoke(kind, member, args);
}

int16_t Control::Index() const {
  if (!index_) Raise(errors::kObjectNotAnArray, "Object not an array");
  return *index_;
}

void Control::AddPlacementMembers() {
  const auto twips = [this](const char* name, int32_t Layout::*field, bool is_size) {
    members_.AddProperty(
        name, [this, field] { return Variant(layout_.*field); },
        [this, field, is_size](const Variant& v) {
          const int32_t value = v.ToLong();
          if (is_size && value < 0) Raise(errors::kInvalidPropertyValue);
          layout_.*field = value;
        });
  };
  twips("Left", &Layout::left, false);
  twips("Top", &Layout::top, false);
  twips("Width", &Layout::width, true);
  twips("Height", &Layout::height, true);
  members_.AddProperty(
      "TabIndex", [this] { return Variant(tab_index_.value_or(0)); },
      [this](const Variant& v) {
        const int16_t value = v.ToInteger();
        if (value < 0) Raise(errors::kInvalidPropertyValue);
        tab_index_ = value;
      });
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}

void Control::Changed() {
  if (form_ != nullptr && form_->observer_ != nullptr) form_->observer_->ControlChanged(*this);
}

bool Control::TakesInput() const {
  return enabled_ && visible_ && form_ != nullptr && form_->Visible() && form_->IsLoaded();
}

void Control::SetFocus() {
  if (!TakesInput()) Raise(errors::kInvalidProcedureCall, "Invalid procedure call or argument");
  form_->active_control_ = this;
}

bool Control::HasFocus() const {
  return form_ != nullptr && form_->active_control_ == this;
}

bool Control::UserClick() {
  if (!TakesInput()) return false;
  FireClick();
  return true;
}

void Control::Fire(const Event& event) {
  if (!event) return;
  const std::shared_ptr<Form> keep_alive = form_ ? form_->weak_from_this().lock() : nullptr;
  event();
}

CaptionedControl::CaptionedControl(std::string type_name, const ControlDesign& design)
    : Control(std::move(type_name), design), caption_(design.caption) {
  members().AddProperty(
      "Caption", [this] { return Variant(caption_); },
      [this](const Variant& v) { SetCaption(v.ToText()); });
}

void CaptionedControl::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Changed();
}

}  // namespace kelvort
