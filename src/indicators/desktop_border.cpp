#include "indicators/desktop_border.h"

namespace indicators {

TfDesktopBorder::TfDesktopBorder() : IndicatorForm(false) {
  SetColor(os::clRed);
  SetFont({L"Segoe UI", Px(12), false, os::clWindowText});
  SetBounds(0, 0, Px(635), Px(275));  // the design size; the main window and the pass size it
}

}  // namespace indicators
