#include "ui/splitter.h"

#include <algorithm>

namespace ui {

Splitter::Splitter(Control* parent) : Control(parent) {}

bool Splitter::Horizontal() const {
  return GetAlign() == Align::Left || GetAlign() == Align::Right;
}

Control* Splitter::ResizedControl() const {
  if (Parent() == nullptr) return nullptr;
  const os::Rect& me = BoundsRect();
  for (Control* c : Parent()->Children()) {
    if (c == this || !c->Visible() || c->GetAlign() != GetAlign()) continue;
    const os::Rect& b = c->BoundsRect();
    const bool touches = (GetAlign() == Align::Left && b.Right == me.Left) ||
                         (GetAlign() == Align::Right && b.Left == me.Right) ||
                         (GetAlign() == Align::Top && b.Bottom == me.Top) ||
                         (GetAlign() == Align::Bottom && b.Top == me.Bottom);
    if (touches) return c;
  }
  return nullptr;
}

int Splitter::Room() const {
  // The parent's extent across the bar less every docked control on that axis: what the
  // client-aligned rest has now.
  const os::Rect area = Parent()->ClientRect();
  int room = Horizontal() ? area.Width() : area.Height();
  for (const Control* c : Parent()->Children()) {
    if (!c->Visible()) continue;
    const Align a = c->GetAlign();
    if (Horizontal() && (a == Align::Left || a == Align::Right)) room -= c->Width();
    if (!Horizontal() && (a == Align::Top || a == Align::Bottom)) room -= c->Height();
  }
  return room;
}

void Splitter::MouseDown(MouseButton button, int x, int y) {
  Control::MouseDown(button, x, y);
  if (button != MouseButton::Left || ResizedControl() == nullptr) return;
  m_dragging = true;
  m_moved = false;
  m_grip = Horizontal() ? x : y;
}

void Splitter::MouseMove(int x, int y) {
  if (!m_dragging) return;
  Control* target = ResizedControl();
  if (target == nullptr) return;
  int delta = (Horizontal() ? x : y) - m_grip;
  // Docked to the right or bottom, the control grows when the bar moves left or up.
  if (GetAlign() == Align::Right || GetAlign() == Align::Bottom) delta = -delta;
  const int size = Horizontal() ? target->Width() : target->Height();
  // Each side keeps MinSize; a side already below it is not made smaller still.
  int wanted = size + delta;
  if (delta > 0) {
    wanted = std::min(wanted, std::max(size, size + Room() - m_minSize));
  } else {
    wanted = std::max(wanted, std::min(size, m_minSize));
  }
  if (wanted == size) return;
  if (Horizontal()) {
    target->SetWidth(wanted);
  } else {
    target->SetHeight(wanted);
  }
  // The bar moved with the control: the grip stays where it was in the bar.
  m_moved = true;
}

void Splitter::MouseUp(int, int) {
  if (!m_dragging) return;
  m_dragging = false;
  if (m_moved && OnMoved) OnMoved();
}

const wchar_t* Splitter::CursorName() const { return Horizontal() ? IDC_SIZEWE : IDC_SIZENS; }

void Splitter::Paint(Canvas& canvas) { canvas.FillRect({0, 0, Width(), Height()}, Color()); }

}  // namespace ui
