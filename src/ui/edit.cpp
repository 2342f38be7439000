#include "ui/edit.h"

#include <commctrl.h>

#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/native_calls.h"
#include "ui/system_colors.h"

namespace ui {

Edit::Edit(Control* parent) : WinControl(parent) {
  SetColor(syscolor::kWindow);
  NativePlacementChanged();  // an edit added to a form that has its window gets its own now
}

Edit::~Edit() { DestroyHandle(); }

std::wstring Edit::Text() const {
  if (!HandleAllocated()) return m_text;
  HWND h = const_cast<Edit*>(this)->Handle();
  const int n = ::GetWindowTextLengthW(h);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(h, text.data(), n + 1)));
  return text;
}

void Edit::SetText(const std::wstring& text) {
  if (text == Text()) return;
  m_text = text;
  if (HandleAllocated()) native::SetWindowText(Handle(), text.c_str());
}

void Edit::SetReadOnly(bool readOnly) {
  if (readOnly == m_readOnly) return;
  m_readOnly = readOnly;
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void Edit::SelectAll() {
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void Edit::CreateWindowHandle(HWND parent, const os::Rect& r) {
  DWORD style = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL;
  if (m_readOnly) style |= ES_READONLY;
  HWND h = ::CreateWindowExW(m_border ? WS_EX_CLIENTEDGE : 0, L"EDIT", m_text.c_str(), style,
                             r.Left, r.Top, r.Width(), r.Height(), parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  if (h == nullptr) return;
  AttachWindow(h);
  ::SetWindowSubclass(h, &Edit::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Edit::WindowCreated() { ApplyFont(); }

void Edit::FontChanged() { ApplyFont(); }

void Edit::ApplyFont() {
  if (HandleAllocated())
    ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(GetFont())), TRUE);
}

bool Edit::HandleParentMessage(WindowMessage& m) {
  if (m.Msg != WM_CTLCOLOREDIT && m.Msg != WM_CTLCOLORSTATIC) return false;
  // A read-only edit asks with WM_CTLCOLORSTATIC; both take the control's colours.
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!m_brush || m_brushColor != Color()) {
    m_brush.Reset(::CreateSolidBrush(ColorRef(Color())));
    m_brushColor = Color();
  }
  ::SetTextColor(dc, ColorRef(GetFont().Color));
  ::SetBkColor(dc, ColorRef(Color()));
  m.Result = reinterpret_cast<LRESULT>(m_brush.Get());
  return true;
}

LRESULT CALLBACK Edit::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                    DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<Edit*>(data);
  if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, &Edit::SubclassProc, id);
    self->DetachWindow();
    return ::DefSubclassProc(hwnd, msg, wp, lp);
  }
  if (msg == WM_KEYDOWN) {
    bool taken = false;
    Guarded([&] {
      WORD key = static_cast<WORD>(wp);
      taken = self->PreviewKey(key);
    });
    if (taken) return 0;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace ui
