#pragma once
// What the indicator and border windows share: their creation parameters while the main window
// creates them, their reply to the end of the session, the refused close, dragging, and showing
// without ever taking the focus.
#include "ui/form.h"

namespace indicators {

class IndicatorForm : public ui::Form {
 public:
  // refusesClose: the desktop, mouse and caret indicators refuse every close request.
  explicit IndicatorForm(bool refusesClose);

 protected:
  void MakeCreateParams(ui::CreateParams& params) override;
  bool HandleMessage(ui::WindowMessage& message) override;
  // A left-button press moves the window with the pointer, as if its caption were dragged.
  void DragOnLeftButton(ui::MouseButton button);
  // No owner and exactly the tool-window extended style: an owned window would vanish when the
  // main window is minimised, and without the tool style it would get a taskbar button.
  static void MakeUnownedToolWindow(ui::CreateParams& params);
};

}  // namespace indicators
