#pragma once
#include "ui/control.h"

namespace ui {

// An on/off switch. OnClick runs on every actual change of Checked, whether the user clicked or
// code set it; setting the value it already has does nothing.
class Switch : public Control {
 public:
  explicit Switch(Control* parent);

  bool Checked() const noexcept { return m_checked; }
  void SetChecked(bool checked);
  void SetFrameColor(os::TColor color);

  void Click() override;  // a click toggles
  void Paint(Canvas& canvas) override;

 private:
  bool m_checked = false;
  os::TColor m_frameColor = os::clGray;
};

}  // namespace ui
