#include "ui/canvas.h"

#include "ui/handles.h"
#include "ui/image_source.h"

namespace ui {

COLORREF ColorRef(os::TColor color) {
  if (os::IsSystemColor(color)) return ::GetSysColor(os::SystemColorIndex(color));
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

namespace {
RECT ToRect(const os::Rect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
}  // namespace

void Canvas::FillRect(const os::Rect& r, os::TColor color) {
  const RECT rc = ToRect(r);
  ::SetBkColor(m_dc, ColorRef(color));
  ::ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void Canvas::FrameRect(const os::Rect& r, os::TColor color, int t) {
  FillRect({r.Left, r.Top, r.Right, r.Top + t}, color);
  FillRect({r.Left, r.Bottom - t, r.Right, r.Bottom}, color);
  FillRect({r.Left, r.Top, r.Left + t, r.Bottom}, color);
  FillRect({r.Right - t, r.Top, r.Right, r.Bottom}, color);
}

void Canvas::Line(int x1, int y1, int x2, int y2, os::TColor color) {
  UniquePen pen(::CreatePen(PS_SOLID, 1, ColorRef(color)));
  SelectedObject p(m_dc, pen.Get());
  ::MoveToEx(m_dc, x1, y1, nullptr);
  ::LineTo(m_dc, x2, y2);
}

void Canvas::DrawImage(const ImageSource* images, int index, int x, int y) {
  if (images == nullptr || index < 0 || index >= images->ImageCount()) return;
  images->DrawImage(m_dc, index, x, y);
}

void Canvas::RoundRect(const os::Rect& r, int radius, os::TColor fill, os::TColor border) {
  UniqueBrush brush(::CreateSolidBrush(ColorRef(fill)));
  UniquePen pen(::CreatePen(PS_SOLID, 1, ColorRef(border)));
  SelectedObject b(m_dc, brush.Get());
  SelectedObject p(m_dc, pen.Get());
  ::RoundRect(m_dc, r.Left, r.Top, r.Right, r.Bottom, radius, radius);
}

void Canvas::Ellipse(const os::Rect& r, os::TColor fill, os::TColor border) {
  UniqueBrush brush(::CreateSolidBrush(ColorRef(fill)));
  UniquePen pen(::CreatePen(PS_SOLID, 1, ColorRef(border)));
  SelectedObject b(m_dc, brush.Get());
  SelectedObject p(m_dc, pen.Get());
  ::Ellipse(m_dc, r.Left, r.Top, r.Right, r.Bottom);
}

void Canvas::DrawText(const std::wstring& text, const os::Rect& r, const Font& font, UINT flags) {
  RECT rc = ToRect(r);
  SelectedObject f(m_dc, FontHandle(font));
  ::SetBkMode(m_dc, TRANSPARENT);
  ::SetTextColor(m_dc, ColorRef(font.Color));
  ::DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &rc, flags);
}

SIZE Canvas::TextExtent(const std::wstring& text, const Font& font) {
  SelectedObject f(m_dc, FontHandle(font));
  SIZE size{};
  ::GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace ui
