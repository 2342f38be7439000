#pragma once
// One coloured line of the border indicator: a plain rectangle along an edge of the work area
// or of the taskbar. It has no contents and no handlers of its own; a close request hides it
// like any secondary window, and the next monitoring pass shows it again.
#include "indicators/indicator_form.h"

namespace indicators {

class TfDesktopBorder : public IndicatorForm {
 public:
  TfDesktopBorder();
};

}  // namespace indicators
