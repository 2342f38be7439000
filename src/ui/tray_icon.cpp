#include "ui/tray_icon.h"

#include <algorithm>

#include "os/error.h"
#include "os/system.h"
#include "ui/application.h"
#include "ui/native_calls.h"
#include "ui/popup_menu.h"
#include "ui/window_thunk.h"

namespace ui {
namespace {

constexpr wchar_t kWindowClass[] = L"HalvarinTrayIcon";
// The shell's notices about our icon arrive as this message on the icon's window.
constexpr UINT kCallbackMessage = WM_APP + 1;

UINT g_nextId = 1;

tray_shell::SharedIcon ShareIcon(HICON icon) {
  if (icon == nullptr) return {};
  return tray_shell::SharedIcon(icon, [](HICON i) { ::DestroyIcon(i); });
}

UINT TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// The small-icon size for the DPI the taskbar is drawn at: after a DPI change without a new
// sign-in that is not the DPI the process started with.
int CurrentIconSize() {
  UINT dpi = 0;
  if (HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr)) dpi = ::GetDpiForWindow(taskbar);
  if (dpi == 0) dpi = ::GetDpiForSystem();
  const int size = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
  return size > 0 ? size : ::GetSystemMetrics(SM_CXSMICON);
}

// As much of the hint as the tip holds, never half of a surrogate pair.
std::wstring TipOf(const std::wstring& hint) {
  constexpr size_t kCapacity = std::size(NOTIFYICONDATAW{}.szTip) - 1;
  size_t n = std::min(hint.size(), kCapacity);
  if (n > 0 && n < hint.size() && hint[n - 1] >= 0xD800 && hint[n - 1] <= 0xDBFF) --n;
  return hint.substr(0, n);
}

}  // namespace

TrayIcon::ShellNotify TrayIcon::SetShellNotify(ShellNotify notify) noexcept {
  return tray_shell::SetNotify(notify);
}

TrayIcon::TrayIcon() : m_id(g_nextId++) {}

TrayIcon::~TrayIcon() { BeforeDestruction(); }

void TrayIcon::BeforeDestruction() noexcept {
  if (m_window && m_visible) {
    try {
      m_visible = false;
      ToShell();
      // Taken away before the program ends, where the taskbar answers in time: an icon left
      // behind stays in the notification area until the pointer passes over it.
      tray_shell::Settle(tray_shell::kRemoveWaitMs);
    } catch (...) {
      // No memory for the wish: the taskbar drops the icon once it finds the window gone.
    }
  }
  m_window.Reset();
}

HWND TrayIcon::Handle() {
  if (!m_window) {
    static bool registered = false;
    if (!registered) {
      WNDCLASSEXW wc{sizeof(wc)};
      wc.lpfnWndProc = &WindowThunk<TrayIcon>;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = kWindowClass;
      registered = ::RegisterClassExW(&wc) != 0;
    }
    // Top-level and unowned, not message-only: TaskbarCreated is broadcast to top-level windows.
    ::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                      ::GetModuleHandleW(nullptr), this);
    if (!m_window) throw os::Error(L"Cannot create the notification icon's window.");
    // An elevated process would not hear from a non-elevated taskbar otherwise.
    ::ChangeWindowMessageFilterEx(m_window.Get(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
  }
  return m_window.Get();
}

void TrayIcon::SetVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  if (visible && !m_iconMade) MakeIcon();
  ToShell();
}

void TrayIcon::SetHint(const std::wstring& hint) {
  if (hint == m_hint) return;
  m_hint = hint;
  if (m_visible) ToShell();
}

void TrayIcon::SetImages(const ImageSource* images) {
  if (images == m_images) return;
  m_images = images;
  RefreshIcon();
}

void TrayIcon::SetIconIndex(int index) {
  if (index == m_iconIndex) return;
  m_iconIndex = index;
  RefreshIcon();
}

void TrayIcon::RefreshIcon() {
  m_iconMade = false;
  if (!m_visible) return;  // made when the icon is shown
  MakeIcon();
  ToShell();
}

void TrayIcon::MakeIcon() {
  m_iconSize = CurrentIconSize();
  m_icon = ShareIcon(m_images != nullptr ? m_images->MakeIcon(m_iconIndex, m_iconSize) : nullptr);
  m_iconMade = true;
}

void TrayIcon::DisplayChanged() {
  if (!m_visible) {
    m_iconMade = false;
    return;
  }
  if (m_iconMade && CurrentIconSize() == m_iconSize) return;  // settings broadcasts are frequent
  MakeIcon();
  ToShell();
}

tray_shell::IconState TrayIcon::State() {
  return {Handle(), m_id, m_visible, kCallbackMessage, TipOf(m_hint), m_icon};
}

void TrayIcon::ToShell() {
  native::CountShellNotifyIcon();
  tray_shell::Put(State());
}

void TrayIcon::MouseNotice(UINT mouseMessage) {
  MouseButton button;
  switch (mouseMessage) {
    case WM_LBUTTONUP: button = MouseButton::Left; break;
    case WM_RBUTTONUP: button = MouseButton::Right; break;
    case WM_MBUTTONUP: button = MouseButton::Middle; break;
    default: return;
  }
  const os::Point at = os::Sys().CursorPos();
  // Copies taken first: a handler may destroy this icon (the program's end).
  const auto onMouseUp = OnMouseUp;
  const auto onClick = button == MouseButton::Left ? OnClick : nullptr;
  PopupMenu* const menu = button == MouseButton::Right ? m_popupMenu : nullptr;
  if (onMouseUp) onMouseUp(button, at.X, at.Y);
  if (onClick) onClick();
  if (menu != nullptr) menu->Popup(at.X, at.Y);
}

LRESULT TrayIcon::Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kCallbackMessage) {
    if (static_cast<UINT>(wp) == m_id) MouseNotice(static_cast<UINT>(LOWORD(lp)));
    return 0;
  }
  if (msg == TaskbarCreatedMessage()) {
    // The new taskbar knows no icons: add ours again, at its DPI.
    m_iconMade = false;
    if (m_visible) MakeIcon();
    tray_shell::TaskbarRecreated(State());
    return 0;
  }
  switch (msg) {
    case WM_DPICHANGED:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE: DisplayChanged(); break;
    default: break;
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void TrayIcon::AttachWindow(HWND hwnd) noexcept { m_window.Reset(hwnd); }

void TrayIcon::DetachWindow() noexcept { m_window.Release(); }

LRESULT TrayIcon::ThunkMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return Dispatch(hwnd, msg, wp, lp);
}

}  // namespace ui
