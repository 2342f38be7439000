#pragma once
// One coloured line of the border indicator: a plain rectangle along an edge of the work area
// or of the taskbar. It has no contents and no handlers of its own; a close request hides it
// like any secondary window, and the next monitoring pass shows it again. The pointer does not
// see it: a press on a line goes to the window beneath (the tabs and caption buttons of a
// maximised window lie under the top line), and a line never becomes the foreground window.
#include "indicators/indicator_form.h"

namespace indicators {

class TfDesktopBorder : public IndicatorForm {
 public:
  TfDesktopBorder();

 protected:
  void MakeCreateParams(ui::CreateParams& params) override;
};

}  // namespace indicators
