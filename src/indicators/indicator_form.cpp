#include "indicators/indicator_form.h"

#include "core/common.h"
#include "ui/application.h"

namespace indicators {

IndicatorForm::IndicatorForm(bool refusesClose) {
  SetBorderStyle(ui::BorderStyle::None);
  SetShowActivates(false);
  if (refusesClose) {
    OnCloseQuery = [](bool& canClose) { canClose = false; };
  }
}

void IndicatorForm::MakeCreateParams(ui::CreateParams& params) {
  ui::Form::MakeCreateParams(params);
  if (core::IsCreatingIndicators) {
    params.Owner = nullptr;
    params.ExStyle = WS_EX_TOOLWINDOW;  // replaces every other extended style
  }
}

bool IndicatorForm::HandleMessage(ui::WindowMessage& m) {
  switch (m.Msg) {
    case WM_QUERYENDSESSION:
      m.Result = 1;
      ui::App().OnIdle = nullptr;
      return true;
    case WM_ENDSESSION:
      ui::App().OnIdle = nullptr;
      m.Result = 1;
      return true;
    default:
      return false;
  }
}

void IndicatorForm::DragOnLeftButton(ui::MouseButton button) {
  if (button != ui::MouseButton::Left) return;
  ::ReleaseCapture();
  ::SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

}  // namespace indicators
