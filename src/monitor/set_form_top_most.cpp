#include "monitor/set_form_top_most.h"

namespace monitor {

void SetFormTopMost(ui::Form& form, bool topMost) {
  form.SetWindowPosNative(topMost ? HWND_TOPMOST : HWND_NOTOPMOST, form.Left(), form.Top(),
                          form.Width(), form.Height(), SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

}  // namespace monitor
