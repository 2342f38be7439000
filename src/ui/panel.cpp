#include "ui/panel.h"

namespace ui {

void Panel::Paint(Canvas& canvas) {
  const os::Rect r{0, 0, Width(), Height()};
  canvas.FillRect(r, Color());
  if (!Caption().empty()) {
    canvas.DrawText(Caption(), r, GetFont(), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace ui
