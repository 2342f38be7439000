#include "ui/image_list.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "os/error.h"

namespace ui {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top, as the pixels are kept
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A DIB section holding a copy of the pixels; *bits receives its memory.
UniqueBitmap MakeDib(const PixelImage& image, void** bits = nullptr) {
  const BITMAPINFO info = TopDown32(image.Width, image.Height);
  void* memory = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
  if (!bitmap || memory == nullptr) throw os::Error(L"Cannot create an image bitmap.");
  std::memcpy(memory, image.Pixels.data(), image.Pixels.size() * 4);
  if (bits != nullptr) *bits = memory;
  return bitmap;
}

// An image on a transparent square, scaled to fit it and centred.
PixelImage FitSquare(const PixelImage& image, int size) {
  if (image.Width == image.Height) return ScaleImage(image, size, size);
  const int w = std::max(1, image.Width >= image.Height ? size : size * image.Width / image.Height);
  const int h = std::max(1, image.Height >= image.Width ? size : size * image.Height / image.Width);
  const PixelImage scaled = ScaleImage(image, w, h);
  PixelImage square;
  square.Width = size;
  square.Height = size;
  square.Pixels.assign(static_cast<size_t>(size) * size, 0);
  const int left = (size - w) / 2, top = (size - h) / 2;
  for (int y = 0; y < h; ++y) {
    std::copy_n(&scaled.Pixels[static_cast<size_t>(y) * w], w,
                &square.Pixels[static_cast<size_t>(top + y) * size + left]);
  }
  return square;
}

}  // namespace

ImageList::ImageList(int width, int height) : m_width(width), m_height(height) {}

int ImageList::Append(PixelImage pixels, std::wstring name) {
  if (pixels.Width != m_width || pixels.Height != m_height) {
    pixels = ScaleImage(pixels, m_width, m_height);
  }
  UniqueBitmap bitmap = MakeDib(pixels);
  m_images.push_back(Image{std::move(name), std::move(pixels), std::move(bitmap)});
  return Count() - 1;
}

int ImageList::Add(std::string_view pngBytes, std::wstring name) {
  return Append(DecodePng(pngBytes), std::move(name));
}

int ImageList::AddFromResource(const std::wstring& resourceName) {
  return AddFromResource(resourceName, resourceName);
}

int ImageList::AddFromResource(const std::wstring& resourceName, std::wstring name) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, resourceName.c_str(), RT_RCDATA);
  HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) {
    throw os::Error(L"The image resource \"" + resourceName + L"\" is missing.");
  }
  const std::string_view bytes(static_cast<const char*>(data), ::SizeofResource(module, found));
  try {
    return Add(bytes, std::move(name));
  } catch (const os::Error& e) {
    throw os::Error(L"The image resource \"" + resourceName + L"\": " + e.Message());
  }
}

const std::wstring& ImageList::Name(int index) const {
  static const std::wstring kNone;
  if (index < 0 || index >= Count()) return kNone;
  return m_images[static_cast<size_t>(index)].Name;
}

void ImageList::SetName(int index, std::wstring name) {
  if (index < 0 || index >= Count()) return;
  m_images[static_cast<size_t>(index)].Name = std::move(name);
}

int ImageList::FindIndexByName(std::wstring_view name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::wstring& n = m_images[static_cast<size_t>(i)].Name;
    // Ordinal comparison with the system's case table: no locale can make two names equal
    // that differ in more than case.
    if (::CompareStringOrdinal(n.data(), static_cast<int>(n.size()), name.data(),
                               static_cast<int>(name.size()), TRUE) == CSTR_EQUAL) {
      return i;
    }
  }
  return -1;
}

const PixelImage* ImageList::Pixels(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &m_images[static_cast<size_t>(index)].Pixels;
}

void ImageList::DrawImage(HDC dc, int index, int x, int y) const {
  if (index < 0 || index >= Count() || dc == nullptr) return;
  UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  if (!memory) return;
  SelectedObject selected(memory.Get(), m_images[static_cast<size_t>(index)].Bitmap.Get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(dc, x, y, m_width, m_height, memory.Get(), 0, 0, m_width, m_height, blend);
}

HICON ImageList::MakeIcon(int index, int size) const {
  const PixelImage* pixels = Pixels(index);
  if (pixels == nullptr) return nullptr;
  if (size <= 0 || (size == pixels->Width && size == pixels->Height)) return MakeAlphaIcon(*pixels);
  return MakeAlphaIcon(FitSquare(*pixels, size));
}

HICON MakeAlphaIcon(const PixelImage& image) {
  if (image.Width <= 0 || image.Height <= 0) return nullptr;
  // Icons take straight alpha: undo the premultiplication.
  PixelImage straight = image;
  for (std::uint32_t& p : straight.Pixels) {
    const std::uint32_t a = p >> 24;
    if (a == 0 || a == 255) continue;
    std::uint32_t out = a << 24;
    for (int c = 0; c < 3; ++c) {
      const std::uint32_t v = (p >> (8 * c)) & 0xFF;
      out |= std::min<std::uint32_t>(255, (v * 255 + a / 2) / a) << (8 * c);
    }
    p = out;
  }
  UniqueBitmap color;
  try {
    color = MakeDib(straight);
  } catch (const os::Error&) {
    return nullptr;
  }
  // The mask matters only where alpha is ignored: set where the image is fully transparent.
  const int stride = ((image.Width + 15) / 16) * 2;  // monochrome rows are word-aligned
  std::vector<BYTE> mask(static_cast<size_t>(stride) * image.Height, 0);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      if ((image.At(x, y) >> 24) == 0) {
        mask[static_cast<size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
  }
  UniqueBitmap maskBitmap(::CreateBitmap(image.Width, image.Height, 1, 1, mask.data()));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color.Get();
  info.hbmMask = maskBitmap.Get();
  return ::CreateIconIndirect(&info);  // copies both bitmaps
}

}  // namespace ui
