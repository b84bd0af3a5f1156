// Controls that show something and take no input of their own: labels, picture boxes and
// lines.
#pragma once

#include <cstdint>
#include <string>

#include "forms/toolkit/control.h"

namespace kelvort {

enum class Alignment : int16_t { kLeft = 0, kRight = 1, kCenter = 2 };

class Label : public CaptionedControl {
 public:
  explicit Label(const ControlDesign& design, Alignment alignment = Alignment::kLeft);
  Alignment alignment() const { return alignment_; }

 private:
  Alignment alignment_;
};

// A picture box showing an image from the program's resources, or a plain area (a bar).
class PictureBox : public Control {
 public:
  explicit PictureBox(const ControlDesign& design, std::string picture = {});
  // File name of the image in the program's resources; empty for a plain box.
  const std::string& Picture() const { return picture_; }

 private:
  std::string picture_;
};

// A straight line from (X1, Y1) to (X2, Y2), in twips.
struct LineEnds {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

class Line : public Control {
 public:
  // colour is an RGB value as 0x00BBGGRR.
  Line(const ControlDesign& design, LineEnds ends, int32_t colour);
  const LineEnds& ends() const { return ends_; }
  int32_t BorderColor() const { return colour_; }

 private:
  LineEnds ends_;
  int32_t colour_;
};

}  // namespace kelvort
