#include "screen_pixels.h"

namespace e2e {

COLORREF ScreenPixel(POINT at) {
  HDC screen = ::GetDC(nullptr);
  const COLORREF c = ::GetPixel(screen, at.x, at.y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

std::vector<COLORREF> ScreenPixels(const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<COLORREF> pixels;
  if (bitmap != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const auto* bgra = static_cast<const BYTE*>(bits);
    for (int i = 0; i < width * height; ++i) {
      pixels.push_back(RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]));
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

std::size_t Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  std::size_t n = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i] ? 1 : 0;
  return n;
}

}  // namespace e2e
