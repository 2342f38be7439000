#include "ui/native_calls.h"

#include <atomic>

namespace ui {
namespace {
// Only the UI thread makes these calls; atomic so that a benchmark thread may read it.
std::atomic<std::int64_t> g_count{0};
std::atomic<bool> g_timing{false};
std::atomic<std::int64_t> g_ticks{0};

// Counts the call and, while timing is on, adds its duration.
template <class F>
auto Counted(F&& call) noexcept {
  g_count.fetch_add(1, std::memory_order_relaxed);
  if (!g_timing.load(std::memory_order_relaxed)) return call();
  LARGE_INTEGER a, b;
  ::QueryPerformanceCounter(&a);
  auto result = call();
  ::QueryPerformanceCounter(&b);
  g_ticks.fetch_add(b.QuadPart - a.QuadPart, std::memory_order_relaxed);
  return result;
}
}  // namespace

std::int64_t NativeCallCount() noexcept { return g_count.load(std::memory_order_relaxed); }
void ResetNativeCallCount() noexcept { g_count.store(0, std::memory_order_relaxed); }
void SetNativeCallTiming(bool on) noexcept { g_timing.store(on, std::memory_order_relaxed); }
bool NativeCallTiming() noexcept { return g_timing.load(std::memory_order_relaxed); }
std::int64_t NativeCallTicks() noexcept { return g_ticks.load(std::memory_order_relaxed); }
void AddNativeCallTicks(std::int64_t ticks) noexcept {
  g_ticks.fetch_add(ticks, std::memory_order_relaxed);
}

namespace native {

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) noexcept {
  return Counted([&] { return ::SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags); });
}

BOOL ShowWindow(HWND hwnd, int command) noexcept {
  return Counted([&] { return ::ShowWindow(hwnd, command); });
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) noexcept {
  return Counted([&] { return ::InvalidateRect(hwnd, rect, erase); });
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) noexcept {
  return Counted([&] { return ::RedrawWindow(hwnd, rect, region, flags); });
}

BOOL UpdateWindow(HWND hwnd) noexcept {
  return Counted([&] { return ::UpdateWindow(hwnd); });
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) noexcept {
  return Counted([&] { return ::SetLayeredWindowAttributes(hwnd, key, alpha, flags); });
}

BOOL SetWindowText(HWND hwnd, const wchar_t* text) noexcept {
  return Counted([&] { return ::SetWindowTextW(hwnd, text); });
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) noexcept {
  return Counted([&] { return ::SetWindowLongPtrW(hwnd, index, value); });
}

void CountShellNotifyIcon() noexcept { g_count.fetch_add(1, std::memory_order_relaxed); }

}  // namespace native
}  // namespace ui
