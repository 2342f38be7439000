// Handlers of the Common Settings page.
#include "core/common.h"
#include "monitor/main_window.h"

namespace monitor {

void TfMain::swEnabled_AllIndicatorClick() { core::IsEnabled_AllIndicator = swEnabled_AllIndicator.Checked(); }

void TfMain::swEnabled_MouseIndicatorClick() {
  core::IsEnabled_MouseIndicator = swEnabled_MouseIndicator.Checked();
}

}  // namespace monitor
