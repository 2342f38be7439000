#pragma once
// Anything that draws numbered images of one size: PNG image lists and the shell's system image
// list. Menus, tray icons and controls take their images through it.
#include <windows.h>

namespace ui {

class ImageSource {
 public:
  virtual ~ImageSource() = default;
  virtual int ImageWidth() const = 0;
  virtual int ImageHeight() const = 0;
  virtual int ImageCount() const = 0;
  // Draws image `index` with its top-left corner at (x, y); nothing for an index out of range.
  virtual void DrawImage(HDC dc, int index, int x, int y) const = 0;
  // A new icon of image `index` at the given size (0: the images' own size); null when the
  // index is out of range. The caller owns it.
  virtual HICON MakeIcon(int index, int size = 0) const = 0;
};

}  // namespace ui
