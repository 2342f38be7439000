#include "support/caret_object_window.h"

#include <objbase.h>

namespace testing_support {
namespace {

constexpr wchar_t kClass[] = L"HalvarinCaretObjectWindow";
// The longest a stall lasts when nobody releases it.
constexpr DWORD kStallLimitMs = 10000;

LRESULT CALLBACK CaretWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  }
  auto* object = reinterpret_cast<CaretObject*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CARET && object != nullptr) {
    return ::LresultFromObject(IID_IAccessible, wp, object);
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

CaretObject::CaretObject(const RECT& location) : m_location(location) {}

CaretObject::~CaretObject() {
  for (HANDLE h : {m_stalling, m_released, m_stallEnded}) ::CloseHandle(h);
}

void CaretObject::Stall(std::function<void()> onStall) {
  m_onStall = std::move(onStall);
  m_stall = true;
}

HRESULT CaretObject::QueryInterface(REFIID riid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT CaretObject::accLocation(long* left, long* top, long* width, long* height, VARIANT) {
  if (m_stall) {
    if (m_onStall) m_onStall();
    ::SetEvent(m_stalling);
    m_ranOut = ::WaitForSingleObject(m_released, kStallLimitMs) == WAIT_TIMEOUT;
    ::SetEvent(m_stallEnded);
  }
  *left = m_location.left;
  *top = m_location.top;
  *width = m_location.right - m_location.left;
  *height = m_location.bottom - m_location.top;
  ++m_locations;
  return S_OK;
}

HRESULT CaretObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}
HRESULT CaretObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT CaretObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT CaretObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}
HRESULT CaretObject::get_accParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CaretObject::get_accChildCount(long*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CaretObject::get_accName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accFocus(VARIANT*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accSelection(VARIANT*) { return E_NOTIMPL; }
HRESULT CaretObject::get_accDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CaretObject::accSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CaretObject::accNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CaretObject::accHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CaretObject::accDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CaretObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CaretObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

HWND CreateCaretObjectWindow(CaretObject& object) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &CaretWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kClass;
  ::RegisterClassW(&wc);  // fails harmlessly when an earlier window registered it
  return ::CreateWindowExW(0, kClass, L"Caret object", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, &object);
}

CaretObjectThread::CaretObjectThread(const RECT& location) : m_object(location) {
  m_thread = std::thread([this] { Run(); });
  ::WaitForSingleObject(m_created, 10000);
}

CaretObjectThread::~CaretObjectThread() {
  m_object.ReleaseStall();
  if (m_window != nullptr) ::PostMessageW(m_window, WM_CLOSE, 0, 0);
  m_thread.join();
  ::CloseHandle(m_created);
}

void CaretObjectThread::Run() {
  const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const HWND window = CreateCaretObjectWindow(m_object);
  m_window = window;
  ::SetEvent(m_created);
  MSG msg;
  while (window != nullptr && ::IsWindow(window) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.hwnd == window && msg.message == WM_CLOSE) {
      ::DestroyWindow(window);
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  // Leaving the apartment disconnects the proxies that still name the object.
  if (com) ::CoUninitialize();
}

}  // namespace testing_support
