#pragma once
#include <windows.h>

#include "ui/control.h"

namespace ui {

// Text on its parent's background. "&&" shows as "&" unless ShowAccelChar is off.
class Label : public Control {
 public:
  using Control::Control;
  void SetTransparent(bool transparent);
  void SetAlignment(UINT dtFlags);  // DT_LEFT, DT_CENTER or DT_RIGHT
  void SetWordWrap(bool wrap);
  void SetShowAccelChar(bool show);
  void Paint(Canvas& canvas) override;

 private:
  bool m_transparent = true;
  UINT m_alignment = DT_LEFT;
  bool m_wordWrap = false;
  bool m_showAccelChar = true;
};

}  // namespace ui
