#include "support/hanging_window.h"

namespace testing_support {
namespace {

constexpr wchar_t kClass[] = L"HalvarinHangingWindow";
constexpr UINT kHang = WM_APP + 1;

}  // namespace

HangingWindow::HangingWindow(DWORD style, const RECT& place, const wchar_t* title) {
  m_thread = std::thread([this, style, place, title] { Run(style, place, title); });
  ::WaitForSingleObject(m_created, 10000);
}

HangingWindow::~HangingWindow() {
  Release();
  if (m_window != nullptr) ::PostMessageW(m_window, WM_CLOSE, 0, 0);
  m_thread.join();
  for (HANDLE h : {m_created, m_hanging, m_released, m_hangEnded}) ::CloseHandle(h);
}

bool HangingWindow::Hang() {
  ::PostMessageW(m_window, kHang, 0, 0);
  return ::WaitForSingleObject(m_hanging, 10000) == WAIT_OBJECT_0;
}

LRESULT CALLBACK HangingWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<HangingWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<HangingWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self != nullptr) {
    if (msg == kHang) {
      ::SetEvent(self->m_hanging);
      self->m_ranOut = ::WaitForSingleObject(self->m_released, 30000) == WAIT_TIMEOUT;
      ::SetEvent(self->m_hangEnded);
      return 0;
    }
    if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CARET) ++self->m_caretAsks;
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void HangingWindow::Run(DWORD style, RECT place, const wchar_t* title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &Proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClass;
  ::RegisterClassW(&wc);  // fails harmlessly when an earlier window registered it
  HWND window = ::CreateWindowExW(0, kClass, title, style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, nullptr,
                                  nullptr, nullptr, this);
  m_window = window;
  ::SetEvent(m_created);
  MSG msg;
  while (window != nullptr && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace testing_support
