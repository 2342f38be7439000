#pragma once
// Owning types for window-system handles, on the one UniqueHandle template of the os layer.
#include <windows.h>

#include "os/win32/unique_handle.h"

namespace ui {

using os::win32::UniqueHandle;

template <class H>
using GdiObjectTraits = os::win32::NullHandleTraits<H, ::DeleteObject>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;

using IconTraits = os::win32::NullHandleTraits<HICON, ::DestroyIcon>;
using UniqueIcon = UniqueHandle<IconTraits>;

using MenuTraits = os::win32::NullHandleTraits<HMENU, ::DestroyMenu>;
using UniqueMenu = UniqueHandle<MenuTraits>;

using HookTraits = os::win32::NullHandleTraits<HHOOK, ::UnhookWindowsHookEx>;
using UniqueHook = UniqueHandle<HookTraits>;

using WindowTraits = os::win32::NullHandleTraits<HWND, ::DestroyWindow>;
using UniqueWindow = UniqueHandle<WindowTraits>;

using MemoryDcTraits = os::win32::NullHandleTraits<HDC, ::DeleteDC>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A window's DC, released on destruction.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (m_dc != nullptr) ::ReleaseDC(m_hwnd, m_dc);
  }
  HDC Get() const noexcept { return m_dc; }

 private:
  HWND m_hwnd;
  HDC m_dc;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) noexcept : m_hwnd(hwnd) { m_dc = ::BeginPaint(hwnd, &m_ps); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { ::EndPaint(m_hwnd, &m_ps); }
  HDC Get() const noexcept { return m_dc; }
  const RECT& Dirty() const noexcept { return m_ps.rcPaint; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_ps{};
  HDC m_dc = nullptr;
};

// An object selected into a DC; the previous one is selected back on destruction.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ obj) noexcept : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { ::SelectObject(m_dc, m_old); }

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

}  // namespace ui
