#pragma once
// The picture on the Exclude List pages' hint strips: a mouse indicator showing a window class
// and a program, with red arrows down from the names the copy chord takes. Painted by our own
// code, so that it scales with the window's DPI.
#include "ui/control.h"

namespace settings_window {

class CopyHintPicture : public ui::Control {
 public:
  using Control::Control;
  // The first page copies both names, the second only the program's.
  void SetArrowFromClass(bool on);
  void Paint(ui::Canvas& canvas) override;
  // The part of its rectangle the picture draws on (the indicator and the arrows below it); the
  // rest shows the strip, and the text beside the picture may run into it.
  os::Rect DrawnRect() const;

 private:
  bool m_arrowFromClass = true;
};

}  // namespace settings_window
