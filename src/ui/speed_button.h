#pragma once
#include "ui/control.h"

namespace ui {

class ImageSource;

// A flat button that shows one image of an image list, centred, and raises OnClick when the
// left button is pressed and released over it. Its hint and popup menu are its own.
class SpeedButton : public Control {
 public:
  using Control::Control;
  void SetImages(const ImageSource* images);
  const ImageSource* Images() const noexcept { return m_images; }
  void SetImageIndex(int index);
  int ImageIndex() const noexcept { return m_imageIndex; }
  void Paint(Canvas& canvas) override;

 private:
  const ImageSource* m_images = nullptr;
  int m_imageIndex = -1;
};

}  // namespace ui
