#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace ui {

class ImageList;

// A picture: one PNG at its own size, drawn with its alpha over the parent's background, at the
// top-left corner or centred.
class Image : public Control {
 public:
  explicit Image(Control* parent);
  ~Image() override;

  // Raises os::Error for bytes that are not a PNG; the old picture stays then.
  void LoadPng(std::string_view pngBytes);
  // From an RCDATA resource of the running executable.
  void LoadFromResource(const std::wstring& resourceName);
  void Clear();
  bool Empty() const noexcept { return m_picture == nullptr; }
  int PictureWidth() const noexcept;
  int PictureHeight() const noexcept;

  bool Center() const noexcept { return m_center; }
  void SetCenter(bool center);

  void Paint(Canvas& canvas) override;

 private:
  std::unique_ptr<ImageList> m_picture;
  bool m_center = false;
};

}  // namespace ui
