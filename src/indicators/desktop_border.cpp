#include "indicators/desktop_border.h"

namespace indicators {

TfDesktopBorder::TfDesktopBorder() : IndicatorForm(false) {
  SetColor(os::clRed);
  SetFont({L"Segoe UI", Px(12), false, os::clWindowText});
  SetBounds(0, 0, Px(635), Px(275));  // the design size; the main window and the pass size it
  // Layered, fully opaque: the system passes over a layered window that is also transparent
  // when it looks for the window under the pointer, so every press goes through.
  SetAlphaBlendValue(255);
  SetAlphaBlend(true);
  SetPressActivates(false);
}

void TfDesktopBorder::MakeCreateParams(ui::CreateParams& params) {
  IndicatorForm::MakeCreateParams(params);
  params.ExStyle |= WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
}

}  // namespace indicators
