#include "ui/control.h"

#include <windows.h>

#include <algorithm>

#include "ui/form.h"

namespace ui {

namespace {
long long g_nextDockOrder = 0;
}  // namespace

Control::Control(Control* parent) : m_dockOrder(++g_nextDockOrder) { SetParent(parent); }

Control::~Control() {
  SetParent(nullptr);
  for (Control* child : m_children) child->m_parent = nullptr;
}

void Control::SetParent(Control* parent) {
  if (parent == m_parent) return;
  if (m_parent != nullptr) {
    Invalidate();
    auto& siblings = m_parent->m_children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    m_parent->Realign();
  }
  m_parent = parent;
  if (m_parent != nullptr) {
    m_parent->m_children.push_back(this);
    m_parent->Realign();
    RememberAnchorDistances();
    Invalidate();
  }
  NativePlacementChanged();
}

Form* Control::OwnerForm() { return m_parent != nullptr ? m_parent->OwnerForm() : nullptr; }

void Control::SetBounds(int left, int top, int width, int height) {
  ConstrainSize(width, height);
  os::Rect r{left, top, left + width, top + height};
  if (m_parent != nullptr && m_align != Align::None) {
    // Docked: the parent decides the place; only the thickness across the edge is the
    // control's own. A write of the rest changes nothing, so rewriting it costs nothing.
    const os::Rect& b = m_bounds;
    switch (m_align) {
      case Align::Top:
      case Align::Bottom: r = {b.Left, b.Top, b.Right, b.Top + height}; break;
      case Align::Left:
      case Align::Right: r = {b.Left, b.Top, b.Left + width, b.Bottom}; break;
      default: r = b; break;
    }
  }
  if (r == m_bounds) return;
  Invalidate();
  const bool sized = r.Width() != m_bounds.Width() || r.Height() != m_bounds.Height();
  m_bounds = r;
  BoundsChanged();
  if (sized) Realign();
  if (m_parent != nullptr && m_align != Align::None) m_parent->Realign();
  RememberAnchorDistances();
  NativePlacementChanged();
  Invalidate();
}

void Control::SetVisible(bool visible) {
  if (visible == m_visible) return;
  Invalidate();
  m_visible = visible;
  if (m_parent != nullptr && m_align != Align::None) m_parent->Realign();
  NativePlacementChanged();
  Invalidate();
}

void Control::SetAlign(Align align) {
  if (align == m_align) return;
  m_align = align;
  if (m_parent != nullptr) m_parent->Realign();
}

void Control::SetDockOutermost() {
  if (m_parent == nullptr) return;
  long long first = m_dockOrder;
  for (const Control* c : m_parent->m_children) {
    if (c != this && c->m_align == m_align && c->m_dockOrder < first) first = c->m_dockOrder;
  }
  if (first == m_dockOrder) return;
  m_dockOrder = first - 1;
  if (m_align != Align::None) m_parent->Realign();
}

void Control::SetColor(os::TColor color) {
  if (color == m_color) return;
  m_color = color;
  Invalidate();
}

void Control::SetFont(const ui::Font& font) {
  if (font == m_font) return;
  m_font = font;
  FontChanged();
  Invalidate();
}

void Control::SetFontColor(os::TColor color) {
  if (color == m_font.Color) return;
  m_font.Color = color;
  Invalidate();
}

void Control::SetFontBold(bool bold) {
  if (bold == m_font.Bold) return;
  m_font.Bold = bold;
  FontChanged();
  Invalidate();
}

void Control::SetCaption(const std::wstring& caption) {
  if (caption == m_caption) return;
  m_caption = caption;
  Invalidate();
}

os::Rect Control::RectInForm() const {
  os::Rect r{0, 0, Width(), Height()};
  for (const Control* c = this; c->m_parent != nullptr; c = c->m_parent) {
    r.Left += c->Left(), r.Right += c->Left();
    r.Top += c->Top(), r.Bottom += c->Top();
  }
  return r;
}

Control* Control::ControlAt(int x, int y) {
  for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
    Control* child = *it;
    if (!child->m_visible) continue;
    const os::Rect& b = child->m_bounds;
    if (x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom) {
      return child->ControlAt(x - b.Left, y - b.Top);
    }
  }
  return this;
}

void Control::Invalidate() {
  if (!m_visible) return;
  for (const Control* c = m_parent; c != nullptr; c = c->m_parent) {
    if (!c->m_visible && c->m_parent != nullptr) return;  // inside a hidden container
  }
  Form* form = OwnerForm();
  if (form == nullptr || form == this) {
    if (form != nullptr) form->InvalidateRect(nullptr);
    return;
  }
  const os::Rect r = RectInForm();
  form->InvalidateRect(&r);
}

void Control::MouseDown(MouseButton button, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, x, y);
}

void Control::Click() {
  if (OnClick) OnClick();
}

void Control::Paint(Canvas&) {}

void Control::NativePlacementChanged() {
  for (Control* child : m_children) child->NativePlacementChanged();
}

void Control::PaintTree(Canvas& canvas, const os::Point& origin) {
  HDC dc = canvas.Dc();
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, origin.X, origin.Y, origin.X + Width(), origin.Y + Height());
  ::SetViewportOrgEx(dc, origin.X, origin.Y, nullptr);
  Paint(canvas);
  ::RestoreDC(dc, saved);
  for (Control* child : m_children) {
    if (!child->m_visible) continue;
    const int s = ::SaveDC(dc);
    ::IntersectClipRect(dc, origin.X, origin.Y, origin.X + Width(), origin.Y + Height());
    child->PaintTree(canvas, {origin.X + child->Left(), origin.Y + child->Top()});
    ::RestoreDC(dc, s);
  }
}

void Control::Realign() {
  os::Rect area = ClientRect();
  std::vector<Control*> docked = m_children;
  std::stable_sort(docked.begin(), docked.end(), [](const Control* a, const Control* b) {
    return a->m_dockOrder < b->m_dockOrder;
  });
  auto place = [&](Align which) {
    for (Control* c : docked) {
      if (c->m_align != which || !c->m_visible) continue;
      os::Rect r;
      switch (which) {
        case Align::Top:
          r = {area.Left, area.Top, area.Right, area.Top + c->Height()};
          area.Top = r.Bottom;
          break;
        case Align::Bottom:
          r = {area.Left, area.Bottom - c->Height(), area.Right, area.Bottom};
          area.Bottom = r.Top;
          break;
        case Align::Left:
          r = {area.Left, area.Top, area.Left + c->Width(), area.Bottom};
          area.Left = r.Right;
          break;
        case Align::Right:
          r = {area.Right - c->Width(), area.Top, area.Right, area.Bottom};
          area.Right = r.Left;
          break;
        case Align::Client: r = area; break;
        case Align::None: break;
      }
      c->PlaceByParent(r);
    }
  };
  place(Align::Top);
  place(Align::Bottom);
  place(Align::Left);
  place(Align::Right);
  place(Align::Client);
  PlaceAnchoredChildren();
}

void Control::PlaceByParent(const os::Rect& r) {
  if (r == m_bounds) return;
  Invalidate();
  const bool sized = r.Width() != Width() || r.Height() != Height();
  m_bounds = r;
  BoundsChanged();
  if (sized) Realign();
  NativePlacementChanged();
  Invalidate();
}

// --- A monitor DPI change

void Control::ScaleTree(int m, int d, bool withBounds, std::vector<Control*>& fontChanged) {
  if (withBounds) {
    // Left, top, width and height each by itself, as the layouts give them: controls of one
    // size keep one size.
    const os::Rect b = m_bounds;
    const int left = ::MulDiv(b.Left, m, d);
    const int top = ::MulDiv(b.Top, m, d);
    m_bounds = {left, top, left + ::MulDiv(b.Width(), m, d), top + ::MulDiv(b.Height(), m, d)};
    m_anchorRight = ::MulDiv(m_anchorRight, m, d);
    m_anchorBottom = ::MulDiv(m_anchorBottom, m, d);
  }
  const int height = ::MulDiv(m_font.Height, m, d);
  if (height != m_font.Height) {
    m_font.Height = height;
    fontChanged.push_back(this);
  }
  ChangeScale(m, d);
  for (Control* c : m_children) c->ScaleTree(m, d, true, fontChanged);
}

void Control::ApplyScaledLayout(const std::vector<Control*>& fontChanged) {
  for (Control* c : fontChanged) c->FontChanged();
  RealignTree();
  NativePlacementChanged();
}

// Scaled one by one, docked controls may leave a pixel between them; the parent's layout closes
// it. A container whose size came out as before is not laid out by its parent, hence every one.
void Control::RealignTree() {
  Realign();
  for (Control* c : m_children) c->RealignTree();
}

// --- Anchors

void Control::SetAnchors(unsigned anchors) {
  if (anchors == m_anchors) return;
  m_anchors = anchors;
  RememberAnchorDistances();
}

void Control::RememberAnchorDistances() {
  if (m_parent == nullptr) return;
  const os::Rect area = m_parent->ClientRect();
  m_anchorRight = area.Right - m_bounds.Right;
  m_anchorBottom = area.Bottom - m_bounds.Bottom;
}

void Control::PlaceAnchoredChildren() {
  const os::Rect area = ClientRect();
  for (Control* c : m_children) {
    if (c->m_align != Align::None) continue;
    os::Rect r = c->m_bounds;
    if ((c->m_anchors & akRight) != 0) {
      r.Right = area.Right - c->m_anchorRight;
      if ((c->m_anchors & akLeft) == 0) r.Left = r.Right - c->Width();
    }
    if ((c->m_anchors & akBottom) != 0) {
      r.Bottom = area.Bottom - c->m_anchorBottom;
      if ((c->m_anchors & akTop) == 0) r.Top = r.Bottom - c->Height();
    }
    // A stretched control never turns inside out when its parent gets very small.
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    c->PlaceByParent(r);
  }
}

}  // namespace ui
