#pragma once
#include "ui/control.h"

namespace ui {

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine };
enum class BevelStyle { Lowered, Raised };

// Etched lines in the system's 3D colours: a separator line, or a sunken or raised box that other
// controls may sit in. It paints only its lines; the parent's background shows through.
class Bevel : public Control {
 public:
  using Control::Control;

  BevelShape Shape() const noexcept { return m_shape; }
  void SetShape(BevelShape shape);
  BevelStyle Style() const noexcept { return m_style; }
  void SetStyle(BevelStyle style);

  void Paint(Canvas& canvas) override;

  static constexpr os::TColor kShadow = static_cast<os::TColor>(0xFF000010);     // clBtnShadow
  static constexpr os::TColor kHighlight = static_cast<os::TColor>(0xFF000014);  // clBtnHighlight

 private:
  BevelShape m_shape = BevelShape::Box;
  BevelStyle m_style = BevelStyle::Lowered;
};

}  // namespace ui
