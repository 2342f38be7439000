#include "ui/shape.h"

#include <algorithm>

namespace ui {

void Shape::SetBrushColor(os::TColor color) {
  if (color == m_brushColor) return;
  m_brushColor = color;
  Invalidate();
}

void Shape::SetPenColor(os::TColor color) {
  if (color == m_penColor) return;
  m_penColor = color;
  Invalidate();
}

void Shape::SetPenWidth(int width) {
  width = std::max(width, 0);
  if (width == m_penWidth) return;
  m_penWidth = width;
  Invalidate();
}

void Shape::Paint(Canvas& canvas) {
  const os::Rect r{0, 0, Width(), Height()};
  canvas.FillRect(r, m_brushColor);
  if (m_penWidth > 0) canvas.FrameRect(r, m_penColor, m_penWidth);
}

}  // namespace ui
