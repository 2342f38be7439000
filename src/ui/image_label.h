#pragma once
#include "ui/label.h"

namespace ui {

class ImageSource;

// A label with an image left of its caption: image `ImageIndex` of its image list, centred
// vertically, and the caption after it, centred vertically too. -1 (or any index the list does
// not have) shows no image and the caption alone.
class ImageLabel : public Label {
 public:
  explicit ImageLabel(Control* parent);
  void SetImages(const ImageSource* images);
  const ImageSource* Images() const noexcept { return m_images; }
  void SetImageIndex(int index);
  int ImageIndex() const noexcept { return m_imageIndex; }
  void Paint(Canvas& canvas) override;

  // Pixels at 96 DPI between the edge and the image, and between the image and the caption;
  // they follow the form's DPI.
  static constexpr int kMargin = 2;
  static constexpr int kGap = 4;

 private:
  const ImageSource* m_images = nullptr;
  int m_imageIndex = -1;
};

}  // namespace ui
