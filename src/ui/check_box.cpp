#include "ui/check_box.h"

#include <algorithm>

namespace ui {

namespace {
constexpr os::TColor kFrame = static_cast<os::TColor>(0xFF000010);  // clBtnShadow
constexpr os::TColor kBox = static_cast<os::TColor>(0xFF000005);    // clWindow
constexpr os::TColor kMark = static_cast<os::TColor>(0xFF000008);   // clWindowText
}  // namespace

CheckBox::CheckBox(Control* parent) : Control(parent) {}

void CheckBox::SetChecked(bool checked) {
  if (checked == m_checked) return;
  m_checked = checked;
  Invalidate();
  if (OnClick) OnClick();
}

void CheckBox::Click() { SetChecked(!m_checked); }

void CheckBox::Paint(Canvas& canvas) {
  const int side = std::min(kBoxSize, Height());
  const int top = (Height() - side) / 2;
  const os::Rect box{0, top, side, top + side};
  canvas.FillRect(box, kBox);
  canvas.FrameRect(box, kFrame, 1);
  if (m_checked) {
    // A tick in two strokes, three pixels thick, inside the frame.
    const int s = side;
    for (int d = 0; d < 3; ++d) {
      canvas.Line(s * 3 / 13, top + s * 6 / 13 + d, s * 5 / 13, top + s * 8 / 13 + d, kMark);
      canvas.Line(s * 5 / 13, top + s * 8 / 13 + d, s * 10 / 13, top + s * 3 / 13 + d, kMark);
    }
  }
  if (!Caption().empty()) {
    canvas.DrawText(Caption(), {side + 4, 0, Width(), Height()}, GetFont(),
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
  }
}

}  // namespace ui
