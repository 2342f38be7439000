#pragma once
// The program's own windows as the system seam names them: the owners of its message boxes and
// dialogs. An owned box stays above its owner, also when the owner is in the topmost band; an
// unowned one can lie behind a topmost window that the box itself has disabled.
#include <windows.h>

#include <cstdint>

#include "os/types.h"
#include "ui/form.h"

namespace ui {

// The form's window; none for no form, or for a form whose window is not created yet.
inline os::WindowId WindowIdOf(Form* form) {
  if (form == nullptr || !form->HandleAllocated()) return {};
  return os::WindowId{reinterpret_cast<std::uintptr_t>(form->Handle())};
}

// The window of the calling thread that the user is working in; none when none of its windows
// is active (the user is in another program).
inline os::WindowId ActiveWindowId() {
  return os::WindowId{reinterpret_cast<std::uintptr_t>(::GetActiveWindow())};
}

}  // namespace ui
