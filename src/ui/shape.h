#pragma once
#include "ui/control.h"

namespace ui {

// A filled rectangle with a frame in the pen's colour (the border preview's lines).
class Shape : public Control {
 public:
  using Control::Control;

  os::TColor BrushColor() const noexcept { return m_brushColor; }
  void SetBrushColor(os::TColor color);
  os::TColor PenColor() const noexcept { return m_penColor; }
  void SetPenColor(os::TColor color);
  int PenWidth() const noexcept { return m_penWidth; }
  void SetPenWidth(int width);  // 0: no frame

  void Paint(Canvas& canvas) override;

 private:
  os::TColor m_brushColor = os::clWhite;
  os::TColor m_penColor = os::clBlack;
  int m_penWidth = 1;
};

}  // namespace ui
