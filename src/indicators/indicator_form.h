#pragma once
// What the indicator and border windows share: their creation parameters while the main window
// creates them, their reply to the end of the session, the refused close, dragging, and showing
// without ever taking the focus.
#include <windows.h>

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
  // Off: a press on the window leaves the activation and the keyboard focus with the user's
  // application, and a drag moves the window without activating it.
  void SetPressActivates(bool activates) { m_pressActivates = activates; }
  // No owner and exactly the tool-window extended style: an owned window would vanish when the
  // main window is minimised, and without the tool style it would get a taskbar button.
  static void MakeUnownedToolWindow(ui::CreateParams& params);

 private:
  void DragTo(LPARAM at);

  bool m_pressActivates = true;
  // A drag of a window that a press does not activate: the client point that was pressed, which
  // the window keeps under the pointer while the left button is down.
  bool m_dragging = false;
  POINT m_pressedAt{};
};

}  // namespace indicators
