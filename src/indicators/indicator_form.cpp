#include "indicators/indicator_form.h"

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
  BeginDragMove();
}

}  // namespace indicators
