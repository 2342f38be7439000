#pragma once
// The native calls of the GUI layer that change a window or an icon, each counted in one
// counter. The monitoring pass rewrites its windows' properties many times a second; the counter
// lets tests and benchmarks see that a steady state makes no such call at all.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>

namespace ui {

std::int64_t NativeCallCount() noexcept;
void ResetNativeCallCount() noexcept;
// The benchmark separates the program's own work from the time the system spends in these
// calls: while timing is on, each call's duration is added up (performance-counter ticks).
void SetNativeCallTiming(bool on) noexcept;
bool NativeCallTiming() noexcept;
std::int64_t NativeCallTicks() noexcept;
void AddNativeCallTicks(std::int64_t ticks) noexcept;

// A system call that changes no window (a timer, the next hook), not counted but timed with
// the others, so that the benchmark's own work is the program's alone.
template <class F>
auto TimedSystemCall(F&& call) noexcept {
  if (!NativeCallTiming()) return call();
  LARGE_INTEGER a, b;
  ::QueryPerformanceCounter(&a);
  auto result = call();
  ::QueryPerformanceCounter(&b);
  AddNativeCallTicks(b.QuadPart - a.QuadPart);
  return result;
}

namespace native {

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) noexcept;
BOOL ShowWindow(HWND hwnd, int command) noexcept;
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) noexcept;
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) noexcept;
BOOL UpdateWindow(HWND hwnd) noexcept;
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) noexcept;
BOOL SetWindowText(HWND hwnd, const wchar_t* text) noexcept;
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) noexcept;
// Counts one call of the shell's notification-icon function (the tray icon calls it through a
// replaceable pointer of its own).
void CountShellNotifyIcon() noexcept;

}  // namespace native
}  // namespace ui
