#pragma once
#include "ui/control.h"

namespace ui {

// A check box with its caption to the right. OnClick runs on every actual change of Checked,
// whether the user clicked or code set it; setting the value it already has does nothing.
class CheckBox : public Control {
 public:
  explicit CheckBox(Control* parent);

  bool Checked() const noexcept { return m_checked; }
  void SetChecked(bool checked);

  void Click() override;  // a click toggles
  void Paint(Canvas& canvas) override;

  // The box's side at 96 DPI; it scales with the control's height when that is smaller.
  static constexpr int kBoxSize = 13;

 private:
  bool m_checked = false;
};

}  // namespace ui
