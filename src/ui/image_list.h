#pragma once
// A list of named PNG images of one size, kept with their alpha channel.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/handles.h"
#include "ui/image_source.h"
#include "ui/png.h"

namespace ui {

class ImageList : public ImageSource {
 public:
  ImageList(int width, int height);
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  // Decodes a PNG and appends it, scaled to the list's size when it has another; returns its
  // index. Raises os::Error for bytes that are not a PNG.
  int Add(std::string_view pngBytes, std::wstring name = {});
  // The same from an RCDATA resource of the running executable; the name defaults to the
  // resource's. Raises os::Error naming the resource when it is missing or no PNG.
  int AddFromResource(const std::wstring& resourceName);
  int AddFromResource(const std::wstring& resourceName, std::wstring name);

  int Count() const noexcept { return static_cast<int>(m_images.size()); }
  void Clear() noexcept { m_images.clear(); }
  // Empty for an index out of range.
  const std::wstring& Name(int index) const;
  void SetName(int index, std::wstring name);
  // The first image whose name matches without regard to case; -1 when none does.
  int FindIndexByName(std::wstring_view name) const;
  // The premultiplied pixels of an image; null for an index out of range.
  const PixelImage* Pixels(int index) const;

  int ImageWidth() const override { return m_width; }
  int ImageHeight() const override { return m_height; }
  int ImageCount() const override { return Count(); }
  void DrawImage(HDC dc, int index, int x, int y) const override;
  HICON MakeIcon(int index, int size = 0) const override;

 private:
  struct Image {
    std::wstring Name;
    PixelImage Pixels;
    UniqueBitmap Bitmap;  // the same pixels as a DIB section, for AlphaBlend
  };

  int Append(PixelImage pixels, std::wstring name);

  int m_width;
  int m_height;
  std::vector<Image> m_images;
};

// A 32-bit icon with alpha from premultiplied pixels; the caller owns it. Null when it fails.
HICON MakeAlphaIcon(const PixelImage& image);

}  // namespace ui
