#pragma once
// The one window-procedure thunk of the GUI layer: it binds the object passed as creation data
// to its window on WM_NCCREATE, unbinds it on WM_NCDESTROY, and hands every message between to
// T::ThunkMessage behind the exception barrier. T declares the thunk a friend and provides
// AttachWindow(HWND), DetachWindow() and ThunkMessage(HWND, UINT, WPARAM, LPARAM).
#include <windows.h>

namespace ui {

// Application::HandleException, without making every user of the thunk include the application.
void ReportException() noexcept;

template <class T>
LRESULT CALLBACK WindowThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  T* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->AttachWindow(hwnd);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<T*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->DetachWindow();
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  try {
    return self->ThunkMessage(hwnd, msg, wp, lp);
  } catch (...) {
    ReportException();
    return 0;
  }
}

}  // namespace ui
