#pragma once
#include <windows.h>

#include <string>

#include "os/types.h"
#include "ui/font.h"

namespace ui {

// The colour to paint with: system colours resolved.
COLORREF ColorRef(os::TColor color);

// Drawing on a DC whose origin is the current control's top-left corner.
class Canvas {
 public:
  explicit Canvas(HDC dc) noexcept : m_dc(dc) {}
  HDC Dc() const noexcept { return m_dc; }

  void FillRect(const os::Rect& r, os::TColor color);
  void FrameRect(const os::Rect& r, os::TColor color, int thickness = 1);
  void RoundRect(const os::Rect& r, int radius, os::TColor fill, os::TColor border);
  void Ellipse(const os::Rect& r, os::TColor fill, os::TColor border);
  // DrawTextW flags (DT_*); the text colour is the font's.
  void DrawText(const std::wstring& text, const os::Rect& r, const Font& font, UINT flags);
  SIZE TextExtent(const std::wstring& text, const Font& font);

 private:
  HDC m_dc;
};

}  // namespace ui
