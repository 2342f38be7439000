#pragma once
// A borderless form for the value controls' tests, and the mouse messages a user's click or drag
// sends it.
#include <windows.h>

#include "support/fake_system.h"
#include "support/fixed_text_measurer.h"
#include "ui/form.h"

namespace testing_support {

class HostForm : public ui::Form {
 public:
  HostForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetShowActivates(false);
    SetBounds(40, 40, 400, 300);
  }
};

// Left button down and up at a point of the form's client area.
inline void ClickAt(ui::Form& form, int x, int y) {
  ::SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Left button down at one point, moved to another, released there.
inline void DragFromTo(ui::Form& form, int x1, int y1, int x2, int y2) {
  ::SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
  ::SendMessageW(form.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((x1 + x2) / 2, (y1 + y2) / 2));
  ::SendMessageW(form.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y2));
  ::SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
}

class ControlHostTest : public ::testing::Test {
 protected:
  ScopedFakeSystem sys;
  ScopedFixedTextMeasurer measurer;
  HostForm form;
};

}  // namespace testing_support
