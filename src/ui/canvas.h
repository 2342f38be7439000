#pragma once
#include <windows.h>

#include <string>

#include "os/types.h"
#include "ui/font.h"

namespace ui {

// The colour to paint with: system colours resolved.
COLORREF ColorRef(os::TColor color);

class ImageSource;

// Drawing on a DC whose origin is the current control's top-left corner. The drawing calls are
// virtual so that tests can record what a paint handler draws.
class Canvas {
 public:
  explicit Canvas(HDC dc) noexcept : m_dc(dc) {}
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  virtual ~Canvas() = default;
  HDC Dc() const noexcept { return m_dc; }

  virtual void FillRect(const os::Rect& r, os::TColor color);
  // A frame inside the rectangle.
  virtual void FrameRect(const os::Rect& r, os::TColor color, int thickness = 1);
  // A one-pixel line from (x1, y1) towards (x2, y2); the end point itself is not drawn.
  virtual void Line(int x1, int y1, int x2, int y2, os::TColor color);
  // Image `index` of the list with its top-left corner at (x, y), blended by its own alpha;
  // nothing for an index out of range or no list.
  virtual void DrawImage(const ImageSource* images, int index, int x, int y);
  virtual void RoundRect(const os::Rect& r, int radius, os::TColor fill, os::TColor border);
  virtual void Ellipse(const os::Rect& r, os::TColor fill, os::TColor border);
  // DrawTextW flags (DT_*); the text colour is the font's.
  virtual void DrawText(const std::wstring& text, const os::Rect& r, const Font& font, UINT flags);
  SIZE TextExtent(const std::wstring& text, const Font& font);

 private:
  HDC m_dc;
};

}  // namespace ui
