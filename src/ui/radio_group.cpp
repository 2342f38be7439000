#include "ui/radio_group.h"

#include <algorithm>

#include "ui/text_measurer.h"

namespace ui {

namespace {
constexpr os::TColor kFrame = static_cast<os::TColor>(0xFF000010);  // clBtnShadow
constexpr os::TColor kCircle = static_cast<os::TColor>(0xFF000005);  // clWindow
constexpr os::TColor kDot = static_cast<os::TColor>(0xFF000008);     // clWindowText
constexpr int kPad = 4;
}  // namespace

RadioGroup::RadioGroup(Control* parent) : Control(parent) {}

void RadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, Count() - 1);
  if (index == m_itemIndex) return;
  m_itemIndex = index;
  Changed();
  if (OnClick) OnClick();
}

void RadioGroup::SetItems(std::vector<std::wstring> items) {
  if (items == m_items) return;
  m_items = std::move(items);
  m_itemIndex = std::min(m_itemIndex, Count() - 1);
  Changed();
}

void RadioGroup::SetItem(int index, const std::wstring& text) {
  if (index < 0 || index >= Count() || m_items[index] == text) return;
  m_items[index] = text;
  Changed();
}

void RadioGroup::EndUpdate() {
  if (m_updating > 0 && --m_updating == 0 && m_dirty) Changed();
}

void RadioGroup::SetShowFrame(bool show) {
  if (show == m_showFrame) return;
  m_showFrame = show;
  Invalidate();
}

void RadioGroup::Changed() {
  if (m_updating > 0) {
    m_dirty = true;
    return;
  }
  m_dirty = false;
  Invalidate();
}

int RadioGroup::CaptionHeight() const {
  if (Caption().empty()) return m_showFrame ? kPad : 0;
  return Measurer().Measure(Caption(), GetFont()).Height;
}

os::Rect RadioGroup::ItemsArea() const {
  const int inset = m_showFrame ? kPad : 0;
  return {inset, CaptionHeight(), Width() - inset, Height() - inset};
}

os::Rect RadioGroup::ItemRect(int index) const {
  // The rows share the area evenly, as the system's radio groups lay them out.
  const os::Rect area = ItemsArea();
  if (index < 0 || index >= Count()) return {};
  const int n = Count();
  const int top = area.Top + area.Height() * index / n;
  const int bottom = area.Top + area.Height() * (index + 1) / n;
  return {area.Left, top, area.Right, bottom};
}

int RadioGroup::ItemAt(int x, int y) const {
  for (int i = 0; i < Count(); ++i) {
    const os::Rect r = ItemRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
  }
  return -1;
}

void RadioGroup::MouseDown(MouseButton button, int x, int y) {
  if (button == MouseButton::Left) m_pressedItem = ItemAt(x, y);
  Control::MouseDown(button, x, y);
}

void RadioGroup::Click() {
  const int item = m_pressedItem;
  m_pressedItem = -1;
  if (item >= 0) SetItemIndex(item);
}

void RadioGroup::Paint(Canvas& canvas) {
  const int captionHeight = CaptionHeight();
  if (m_showFrame) {
    canvas.FrameRect({0, captionHeight / 2, Width(), Height()}, kFrame, 1);
  }
  if (!Caption().empty()) {
    // The caption interrupts the frame's top line.
    const int textWidth = Measurer().Measure(Caption(), GetFont()).Width;
    const os::Rect r{kPad + 4, 0, kPad + 4 + textWidth, captionHeight};
    canvas.FillRect(r, Color());
    canvas.DrawText(Caption(), r, GetFont(), DT_LEFT | DT_SINGLELINE | DT_HIDEPREFIX);
  }
  for (int i = 0; i < Count(); ++i) {
    const os::Rect row = ItemRect(i);
    const int side = std::min(kButtonSize, row.Height());
    const int top = row.Top + (row.Height() - side) / 2;
    const os::Rect circle{row.Left, top, row.Left + side, top + side};
    canvas.Ellipse(circle, kCircle, kFrame);
    if (i == m_itemIndex) {
      const int d = side / 4 + 1;
      canvas.Ellipse({circle.Left + d, circle.Top + d, circle.Right - d, circle.Bottom - d}, kDot,
                     kDot);
    }
    canvas.DrawText(m_items[i], {row.Left + side + 4, row.Top, row.Right, row.Bottom}, GetFont(),
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
  }
}

}  // namespace ui
