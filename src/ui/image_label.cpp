#include "ui/image_label.h"

#include "ui/form.h"
#include "ui/image_source.h"

namespace ui {

ImageLabel::ImageLabel(Control* parent) : Label(parent) { SetShowAccelChar(false); }

void ImageLabel::SetImages(const ImageSource* images) {
  if (images == m_images) return;
  m_images = images;
  Invalidate();
}

void ImageLabel::SetImageIndex(int index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  Invalidate();
}

void ImageLabel::Paint(Canvas& canvas) {
  const os::Rect r{0, 0, Width(), Height()};
  if (!Transparent()) canvas.FillRect(r, Color());
  const Form* form = OwnerForm();
  const int margin = form != nullptr ? form->Px(kMargin) : kMargin;
  const int gap = form != nullptr ? form->Px(kGap) : kGap;
  int textLeft = margin;
  if (m_images != nullptr && m_imageIndex >= 0 && m_imageIndex < m_images->ImageCount()) {
    canvas.DrawImage(m_images, m_imageIndex, margin, (Height() - m_images->ImageHeight()) / 2);
    textLeft += m_images->ImageWidth() + gap;
  }
  canvas.DrawText(Caption(), {textLeft, 0, r.Right, r.Bottom}, GetFont(),
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace ui
