#pragma once
// Holds one reference of a COM object and releases it when destroyed.
#include <objbase.h>

namespace os::win32 {

template <class T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (m_p != nullptr) m_p->Release();
  }
  T* operator->() const noexcept { return m_p; }
  T** Out() noexcept { return &m_p; }
  void** OutVoid() noexcept { return reinterpret_cast<void**>(&m_p); }
  explicit operator bool() const noexcept { return m_p != nullptr; }

 private:
  T* m_p = nullptr;
};

}  // namespace os::win32
