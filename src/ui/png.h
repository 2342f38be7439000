#pragma once
// PNG images through the platform's codec (WIC), as premultiplied 32-bit pixels: the form that
// AlphaBlend draws and that image lists keep.
#include <cstdint>
#include <string_view>
#include <vector>

namespace ui {

// Premultiplied BGRA, one value 0xAARRGGBB per pixel, rows from the top.
struct PixelImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;

  std::uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// True when the bytes start with the PNG signature.
bool IsPng(std::string_view bytes) noexcept;

// Decodes a PNG file's bytes; raises os::Error for bytes that are not a readable PNG.
PixelImage DecodePng(std::string_view bytes);

// The image at another size (interpolated on the premultiplied pixels, so edges do not darken).
PixelImage ScaleImage(const PixelImage& image, int width, int height);

}  // namespace ui
