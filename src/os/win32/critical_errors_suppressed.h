#pragma once
// Makes the calling thread fail critical errors at once (no "insert a disk" box for a card reader
// or an optical drive without its medium) until destroyed.
#include <windows.h>

namespace os::win32 {

class CriticalErrorsSuppressed {
 public:
  CriticalErrorsSuppressed() noexcept {
    ::SetThreadErrorMode(::GetThreadErrorMode() | SEM_FAILCRITICALERRORS, &m_old);
  }
  CriticalErrorsSuppressed(const CriticalErrorsSuppressed&) = delete;
  CriticalErrorsSuppressed& operator=(const CriticalErrorsSuppressed&) = delete;
  ~CriticalErrorsSuppressed() { ::SetThreadErrorMode(m_old, nullptr); }

 private:
  DWORD m_old = 0;
};

}  // namespace os::win32
