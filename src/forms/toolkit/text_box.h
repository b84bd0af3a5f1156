// A text box: its Text (Change follows every change), the caret position SelStart, and the
// look (multi-line, background colour).
#pragma once

#include <cstdint>
#include <string>

#include "forms/toolkit/control.h"

namespace kelvort {

// System colours as the form designer stores them.
inline constexpr int32_t kWindowBackground = static_cast<int32_t>(0x80000005u);
inline constexpr int32_t kButtonFace = static_cast<int32_t>(0x8000000Fu);

struct TextBoxLook {
  bool multi_line = false;
  // A box that shows its text but takes no typing (Locked).
  bool locked = false;
  int32_t back_color = kWindowBackground;
};

class TextBox : public Control {
 public:
  explicit TextBox(const ControlDesign& design, std::string text = {}, TextBoxLook look = {});
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // Caret position in characters; 0 to the text's length, else 380.
  int32_t SelStart() const { return sel_start_; }
  void SetSelStart(int32_t position);
  const TextBoxLook& look() const { return look_; }
  // What a user's typing leaves: the new text with the caret at its end. False when the
  // box takes no input now.
  bool UserType(std::string text);

 private:
  std::string text_;
  int32_t sel_start_ = 0;
  TextBoxLook look_;
};

// The length of a UTF-8 text in characters, as the caret counts them.
int32_t CharacterCount(std::string_view text);

}  // namespace kelvort
