#pragma once
// What the indicator and border windows share: their creation parameters while the main window
// creates them, their reply to the end of the session, the refused close and dragging.
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
};

}  // namespace indicators
