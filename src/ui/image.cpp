#include "ui/image.h"

#include "os/error.h"
#include "ui/image_list.h"
#include "ui/png.h"
#include "ui/resource.h"

namespace ui {

Image::Image(Control* parent) : Control(parent) {}
Image::~Image() = default;

void Image::LoadPng(std::string_view pngBytes) {
  const PixelImage pixels = DecodePng(pngBytes);  // raises before anything changes
  auto picture = std::make_unique<ImageList>(pixels.Width, pixels.Height);
  picture->Add(pngBytes);
  m_picture = std::move(picture);
  Invalidate();
}

void Image::LoadFromResource(const std::wstring& resourceName) {
  const std::string_view bytes = ResourceBytes(resourceName.c_str());
  if (bytes.empty()) throw os::Error(L"The picture \"" + resourceName + L"\" is missing.");
  LoadPng(bytes);
}

void Image::Clear() {
  if (m_picture == nullptr) return;
  m_picture.reset();
  Invalidate();
}

int Image::PictureWidth() const noexcept { return m_picture ? m_picture->ImageWidth() : 0; }
int Image::PictureHeight() const noexcept { return m_picture ? m_picture->ImageHeight() : 0; }

void Image::SetCenter(bool center) {
  if (center == m_center) return;
  m_center = center;
  Invalidate();
}

void Image::Paint(Canvas& canvas) {
  if (m_picture == nullptr) return;
  const int x = m_center ? (Width() - PictureWidth()) / 2 : 0;
  const int y = m_center ? (Height() - PictureHeight()) / 2 : 0;
  canvas.DrawImage(m_picture.get(), 0, x, y);
}

}  // namespace ui
