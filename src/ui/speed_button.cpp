#include "ui/speed_button.h"

#include "ui/image_source.h"

namespace ui {

void SpeedButton::SetImages(const ImageSource* images) {
  if (images == m_images) return;
  m_images = images;
  Invalidate();
}

void SpeedButton::SetImageIndex(int index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  Invalidate();
}

void SpeedButton::Paint(Canvas& canvas) {
  if (m_images == nullptr) return;
  canvas.DrawImage(m_images, m_imageIndex, (Width() - m_images->ImageWidth()) / 2,
                   (Height() - m_images->ImageHeight()) / 2);
}

}  // namespace ui
