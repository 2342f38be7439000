#pragma once
// Records the windows that asked to be dragged, instead of entering the system's move loop
// (which would wait for the real mouse).
#include <windows.h>

#include <vector>

#include "ui/form.h"

namespace testing_support {

class ScopedDragRecorder {
 public:
  ScopedDragRecorder() : m_old(ui::Form::SetDragMoveFunction(&Record)) { Drags().clear(); }
  ~ScopedDragRecorder() { ui::Form::SetDragMoveFunction(m_old); }
  ScopedDragRecorder(const ScopedDragRecorder&) = delete;
  ScopedDragRecorder& operator=(const ScopedDragRecorder&) = delete;

  static std::vector<HWND>& Drags() {
    static std::vector<HWND> drags;
    return drags;
  }

 private:
  static void Record(HWND hwnd) { Drags().push_back(hwnd); }
  ui::Form::DragMoveFunction m_old;
};

}  // namespace testing_support
