#pragma once
// Pixel fixtures for the GUI tests: PNG files made in memory, and a 32-bit surface to draw on
// and read back.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/handles.h"

namespace testing_support {

// An RGBA PNG of straight-alpha pixels 0xAARRGGBB, rows from the top.
std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);
// One colour all over.
std::string SolidPng(int width, int height, std::uint32_t argb);

// A top-down 32-bit DIB selected into a memory DC.
class Surface {
 public:
  Surface(int width, int height, COLORREF fill = RGB(255, 255, 255));
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface();
  HDC Dc() const noexcept { return m_dc.Get(); }
  int Width() const noexcept { return m_width; }
  int Height() const noexcept { return m_height; }
  void Fill(COLORREF color);
  // The pixel as a COLORREF (0x00BBGGRR); the alpha byte left out.
  COLORREF At(int x, int y) const;
  // How many pixels in the rectangle differ from the colour.
  int CountOtherThan(const RECT& r, COLORREF color) const;
  int CountOf(const RECT& r, COLORREF color) const;

 private:
  int m_width;
  int m_height;
  ui::UniqueMemoryDc m_dc;
  ui::UniqueBitmap m_bitmap;
  HGDIOBJ m_old = nullptr;
  std::uint32_t* m_bits = nullptr;
};

}  // namespace testing_support
