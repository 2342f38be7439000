#pragma once
#include "ui/form.h"

namespace monitor {

// Puts the form's window at the top of the topmost band (true) or at the top of the windows that
// are not topmost (false), without moving, sizing, showing or activating it. Makes the system
// window when the form has none yet.
void SetFormTopMost(ui::Form& form, bool topMost);

}  // namespace monitor
