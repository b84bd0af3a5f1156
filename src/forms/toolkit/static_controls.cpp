// Labels, picture boxes and lines.
#include "forms/toolkit/static_controls.h"

namespace kelvort {

Label::Label(const ControlDesign& design, Alignment alignment)
    : CaptionedControl("Label", design), alignment_(alignment) {
  AddPlacementMembers();
  members().AddProperty("Alignment", [this] { return Variant(static_cast<int16_t>(alignment_)); });
}

PictureBox::PictureBox(const ControlDesign& design, std::string picture)
    : Control("PictureBox", design), picture_(std::move(picture)) {
  AddPlacementMembers();
  members().AddProperty("Picture", [this] { return Variant(picture_); });
}

Line::Line(const ControlDesign& design, LineEnds ends, int32_t colour)
    : Control("Line", design), ends_(ends), colour_(colour) {
  members().AddProperty("X1", [this] { return Variant(ends_.x1); });
  members().AddProperty("Y1", [this] { return Variant(ends_.y1); });
  members().AddProperty("X2", [this] { return Variant(ends_.x2); });
  members().AddProperty("Y2", [this] { return Variant(ends_.y2); });
  members().AddProperty("BorderColor", [this] { return Variant(colour_); });
}

}  // namespace kelvort
