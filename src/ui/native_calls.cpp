#include "ui/native_calls.h"

#include <atomic>

namespace ui {
namespace {
// Only the UI thread makes these calls; atomic so that a benchmark thread may read it.
std::atomic<std::int64_t> g_count{0};
void Count() noexcept { g_count.fetch_add(1, std::memory_order_relaxed); }
}  // namespace

std::int64_t NativeCallCount() noexcept { return g_count.load(std::memory_order_relaxed); }
void ResetNativeCallCount() noexcept { g_count.store(0, std::memory_order_relaxed); }

namespace native {

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) noexcept {
  Count();
  return ::SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL ShowWindow(HWND hwnd, int command) noexcept {
  Count();
  return ::ShowWindow(hwnd, command);
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) noexcept {
  Count();
  return ::InvalidateRect(hwnd, rect, erase);
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) noexcept {
  Count();
  return ::RedrawWindow(hwnd, rect, region, flags);
}

BOOL UpdateWindow(HWND hwnd) noexcept {
  Count();
  return ::UpdateWindow(hwnd);
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) noexcept {
  Count();
  return ::SetLayeredWindowAttributes(hwnd, key, alpha, flags);
}

BOOL SetWindowText(HWND hwnd, const wchar_t* text) noexcept {
  Count();
  return ::SetWindowTextW(hwnd, text);
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) noexcept {
  Count();
  return ::SetWindowLongPtrW(hwnd, index, value);
}

void CountShellNotifyIcon() noexcept { Count(); }

}  // namespace native
}  // namespace ui
