#pragma once
#include "ui/control.h"

namespace ui {

// A rectangle in its colour, with an optional centred caption.
class Panel : public Control {
 public:
  using Control::Control;
  void Paint(Canvas& canvas) override;
};

}  // namespace ui
