#include "ui/win_control.h"

#include "os/error.h"
#include "ui/native_calls.h"

namespace ui {
namespace {
constexpr wchar_t kControlProperty[] = L"Halvarin.WinControl";
}  // namespace

WinControl::WinControl(Control* parent) : Control(parent) {}

WinControl::~WinControl() { DestroyHandle(); }

void WinControl::DestroyHandle() noexcept {
  if (m_hwnd == nullptr) return;
  HWND h = m_hwnd;
  ::DestroyWindow(h);  // the window procedure detaches it on WM_NCDESTROY
  if (m_hwnd == h) DetachWindow();
}

HWND WinControl::Handle() {
  if (m_hwnd == nullptr) {
    Form* form = OwnerForm();
    if (form == nullptr) throw os::Error(L"A native control needs a form.");
    form->Handle();  // making the form's window makes its native children
    if (m_hwnd == nullptr) NativePlacementChanged();
    if (m_hwnd == nullptr) throw os::Error(L"Cannot create a window.");
  }
  return m_hwnd;
}

WinControl* WinControl::FromHandle(HWND hwnd) noexcept {
  if (hwnd == nullptr) return nullptr;
  return static_cast<WinControl*>(::GetPropW(hwnd, kControlProperty));
}

bool WinControl::Focused() const noexcept { return m_hwnd != nullptr && ::GetFocus() == m_hwnd; }

void WinControl::SetFocus() { ::SetFocus(Handle()); }

bool WinControl::RouteParentMessage(WindowMessage& m) {
  HWND from = nullptr;
  switch (m.Msg) {
    case WM_NOTIFY: from = reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: from = reinterpret_cast<HWND>(m.LParam); break;
    default: return false;
  }
  WinControl* control = FromHandle(from);
  return control != nullptr && control->HandleParentMessage(m);
}

bool WinControl::HandleParentMessage(WindowMessage&) { return false; }

void WinControl::AttachWindow(HWND hwnd) noexcept {
  m_hwnd = hwnd;
  ::SetPropW(hwnd, kControlProperty, this);
}

void WinControl::DetachWindow() noexcept {
  if (m_hwnd == nullptr) return;
  ::RemovePropW(m_hwnd, kControlProperty);
  m_hwnd = nullptr;
  m_shown = false;
  m_placed = {};
  WindowDestroyed();
}

bool WinControl::PreviewKey(WORD& key) {
  Form* form = OwnerForm();
  return form != nullptr && form->PreviewKeyDown(key);
}

bool WinControl::Showing() const {
  if (!Visible()) return false;
  for (const Control* c = Parent(); c != nullptr && c->Parent() != nullptr; c = c->Parent()) {
    if (!c->Visible()) return false;
  }
  return true;
}

void WinControl::NativePlacementChanged() {
  Form* form = OwnerForm();
  if (form != nullptr && form->HandleAllocated()) {
    const os::Rect r = RectInForm();
    if (m_hwnd == nullptr && !m_creating) {
      m_creating = true;
      try {
        CreateWindowHandle(form->Handle(), r);
      } catch (...) {
        m_creating = false;
        throw;
      }
      m_creating = false;
      if (m_hwnd != nullptr) {
        m_placed = r;
        WindowCreated();
      }
    }
    if (m_hwnd != nullptr) {
      if (r != m_placed) {
        m_placed = r;
        native::SetWindowPos(m_hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
      }
      const bool show = Showing();
      if (show != m_shown) {
        m_shown = show;
        native::ShowWindow(m_hwnd, show ? SW_SHOWNA : SW_HIDE);
      }
    }
  }
  Control::NativePlacementChanged();
}

}  // namespace ui
