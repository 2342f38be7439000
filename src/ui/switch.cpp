#include "ui/switch.h"

namespace ui {

Switch::Switch(Control* parent) : Control(parent) {}

void Switch::SetChecked(bool checked) {
  if (checked == m_checked) return;
  m_checked = checked;
  Invalidate();
  if (OnClick) OnClick();
}

void Switch::SetFrameColor(os::TColor color) {
  if (color == m_frameColor) return;
  m_frameColor = color;
  Invalidate();
}

void Switch::Click() { SetChecked(!m_checked); }

void Switch::Paint(Canvas& canvas) {
  // The track takes the control's height; a caption, when there is one, stands to its right.
  const int h = Height();
  const int trackWidth = h * 2 + h / 5;
  const os::Rect track{0, 0, trackWidth, h};
  const os::TColor on = 0xD77800;  // a calm blue, as BGR
  canvas.RoundRect(track, h, m_checked ? on : os::clWhite, m_checked ? on : m_frameColor);
  const int pad = h / 5 + 1;
  const int knob = h - 2 * pad;
  const int x = m_checked ? trackWidth - pad - knob : pad;
  canvas.Ellipse({x, pad, x + knob, pad + knob}, m_checked ? os::clWhite : m_frameColor,
                 m_checked ? os::clWhite : m_frameColor);
  if (!Caption().empty()) {
    canvas.DrawText(Caption(), {trackWidth + h / 2, 0, Width(), h}, GetFont(),
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
  }
}

}  // namespace ui
