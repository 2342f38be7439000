#include "ui/bevel.h"

namespace ui {

void Bevel::SetShape(BevelShape shape) {
  if (shape == m_shape) return;
  m_shape = shape;
  Invalidate();
}

void Bevel::SetStyle(BevelStyle style) {
  if (style == m_style) return;
  m_style = style;
  Invalidate();
}

void Bevel::Paint(Canvas& canvas) {
  const int w = Width(), h = Height();
  // Lowered: dark above and left, light below and right; raised the other way round.
  const os::TColor first = m_style == BevelStyle::Lowered ? kShadow : kHighlight;
  const os::TColor second = m_style == BevelStyle::Lowered ? kHighlight : kShadow;
  switch (m_shape) {
    case BevelShape::Box:
      canvas.Line(0, 0, w - 1, 0, first);
      canvas.Line(0, 0, 0, h - 1, first);
      canvas.Line(0, h - 1, w, h - 1, second);
      canvas.Line(w - 1, 0, w - 1, h, second);
      break;
    case BevelShape::Frame:
      // An etched groove: two frames offset by one pixel.
      canvas.FrameRect({0, 0, w - 1, h - 1}, first, 1);
      canvas.FrameRect({1, 1, w, h}, second, 1);
      break;
    case BevelShape::TopLine:
      canvas.Line(0, 0, w, 0, first);
      canvas.Line(0, 1, w, 1, second);
      break;
    case BevelShape::BottomLine:
      canvas.Line(0, h - 2, w, h - 2, first);
      canvas.Line(0, h - 1, w, h - 1, second);
      break;
    case BevelShape::LeftLine:
      canvas.Line(0, 0, 0, h, first);
      canvas.Line(1, 0, 1, h, second);
      break;
    case BevelShape::RightLine:
      canvas.Line(w - 2, 0, w - 2, h, first);
      canvas.Line(w - 1, 0, w - 1, h, second);
      break;
  }
}

}  // namespace ui
