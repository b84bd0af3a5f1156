// Text boxes.
#include "forms/toolkit/text_box.h"

#include "util/run_error.h"

namespace kelvort {

int32_t CharacterCount(std::string_view text) {
  int32_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

TextBox::TextBox(const ControlDesign& design, std::string text, TextBoxLook look)
    : Control("TextBox", design), text_(std::move(text)), look_(look) {
  AddPlacementMembers();
  members().AddProperty(
      "Text", [this] { return Variant(text_); }, [this](const Variant& v) { SetText(v.ToText()); });
  members().AddProperty(
      "SelStart", [this] { return Variant(sel_start_); },
      [this](const Variant& v) { SetSelStart(v.ToLong()); });
  members().AddProperty("MultiLine", [this] { return Variant(look_.multi_line); });
  members().AddProperty("BackColor", [this] { return Variant(look_.back_color); });
}

void TextBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  sel_start_ = 0;
  Changed();
  FireChange();
}

void TextBox::SetSelStart(int32_t position) {
  if (position < 0 || position > CharacterCount(text_)) Raise(errors::kInvalidPropertyValue);
  sel_start_ = position;
  Changed();
}

bool TextBox::UserType(std::string text) {
  if (!TakesInput() || look_.locked) return false;
  SetText(std::move(text));
  sel_start_ = CharacterCount(text_);
  Changed();
  return true;
}

}  // namespace kelvort
