#pragma once
// One owning handle type for every kind of system handle: move-only, closed on destruction.
// A non-owning view is the raw handle itself.
#include <windows.h>

#include <utility>

namespace os::win32 {

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle h) noexcept : m_handle(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const noexcept { return m_handle; }
  explicit operator bool() const noexcept { return Traits::IsValid(m_handle); }
  Handle Release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }
  void Reset(Handle h = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(m_handle, h);
    if (Traits::IsValid(old)) Traits::Close(old);
  }

 private:
  Handle m_handle = Traits::Invalid();
};

// Traits of a handle whose one invalid value is null, released by CloseFunction.
template <class H, auto CloseFunction>
struct NullHandleTraits {
  using Handle = H;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr; }
  static void Close(Handle h) noexcept { CloseFunction(h); }
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static bool IsValid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

using RegistryKeyTraits = NullHandleTraits<HKEY, ::RegCloseKey>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

}  // namespace os::win32
