#include "indicators/indicator_form.h"

#include <windowsx.h>

#include "core/common.h"
#include "ui/application.h"

namespace indicators {

IndicatorForm::IndicatorForm(bool refusesClose) {
  SetBorderStyle(ui::BorderStyle::None);
  // None of these windows may ever become the foreground window.
  SetShowActivates(false);
  if (refusesClose) {
    OnCloseQuery = [](bool& canClose) { canClose = false; };
  }
}

void IndicatorForm::MakeUnownedToolWindow(ui::CreateParams& params) {
  params.Owner = nullptr;
  params.ExStyle = WS_EX_TOOLWINDOW;  // replaces every other extended style
}

void IndicatorForm::MakeCreateParams(ui::CreateParams& params) {
  ui::Form::MakeCreateParams(params);
  if (core::IsCreatingIndicators) MakeUnownedToolWindow(params);
}

bool IndicatorForm::HandleMessage(ui::WindowMessage& m) {
  // Answered here, not through the close request that these windows refuse. Once the session
  // really ends, no further monitoring pass runs.
  switch (m.Msg) {
    case WM_MOUSEACTIVATE:
      if (m_pressActivates) return false;
      m.Result = MA_NOACTIVATE;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      m_pressedAt = {GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      return false;  // the form routes the press to its control, which may start a drag
    case WM_MOUSEMOVE:
      if (m_dragging && (m.WParam & MK_LBUTTON) == 0) m_dragging = false;  // released elsewhere
      if (m_dragging) DragTo(m.LParam);
      return false;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      m_dragging = false;
      return false;
    case WM_QUERYENDSESSION:
      m.Result = 1;
      ui::App().OnIdle = nullptr;
      return true;
    case WM_ENDSESSION:
      // wParam FALSE: another program cancelled the end of the session; monitoring goes on.
      if (m.WParam != FALSE) ui::App().OnIdle = nullptr;
      m.Result = 1;
      return true;
    default:
      return false;
  }
}

void IndicatorForm::DragOnLeftButton(ui::MouseButton button) {
  if (button != ui::MouseButton::Left) return;
  if (m_pressActivates) {
    BeginDragMove();
    return;
  }
  // The system's move loop activates the window it moves (Wine places it without
  // SWP_NOACTIVATE at every step), which would take the focus from the user's application. So
  // this window follows the pointer itself, through the capture the press has set.
  m_dragging = true;
}

void IndicatorForm::DragTo(LPARAM at) {
  // The client point under the pointer; the window moves by its distance from the pressed one.
  const int dx = GET_X_LPARAM(at) - m_pressedAt.x;
  const int dy = GET_Y_LPARAM(at) - m_pressedAt.y;
  if (dx != 0 || dy != 0) SetBounds(Left() + dx, Top() + dy, Width(), Height());
}

}  // namespace indicators
