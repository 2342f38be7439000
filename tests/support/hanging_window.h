#pragma once
// A window of another program, as far as the code under test can tell: it lives on a thread of
// its own and, when told to, stops answering messages until released or, at the latest, after
// 30 s. It counts the caret-object asks that reach it.
#include <windows.h>

#include <atomic>
#include <thread>

namespace testing_support {

class HangingWindow {
 public:
  // A window of that style, place and title; WS_VISIBLE in the style shows it.
  HangingWindow(DWORD style, const RECT& place, const wchar_t* title);
  ~HangingWindow();
  HangingWindow(const HangingWindow&) = delete;
  HangingWindow& operator=(const HangingWindow&) = delete;

  HWND Window() const { return m_window; }
  // Returns once the window's thread has stopped answering; false when it did not in 10 s.
  bool Hang();
  void Release() { ::SetEvent(m_released); }
  // Whether a hang that started has not ended yet.
  bool StillHangs() const { return ::WaitForSingleObject(m_hangEnded, 0) == WAIT_TIMEOUT; }
  // Whether the hang ran out by itself rather than being released.
  bool HangRanOut() const { return m_ranOut; }
  int CaretAsks() const { return m_caretAsks; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Run(DWORD style, RECT place, const wchar_t* title);

  HANDLE m_created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_hanging = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_released = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE m_hangEnded = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> m_window{nullptr};
  std::atomic<bool> m_ranOut{false};
  std::atomic<int> m_caretAsks{0};
  std::thread m_thread;
};

}  // namespace testing_support
