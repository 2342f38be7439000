#pragma once
// A flag that one thread raises and others wait for, with a time limit: the cancel request of a
// background task, or the news that it has ended. No <windows.h>, so that pure logic can use it.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace os {

class Signal {
 public:
  Signal() = default;
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;

  void Set() {
    {
      std::lock_guard lock(m_mutex);
      m_set = true;
    }
    m_changed.notify_all();
  }
  void Reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
  }
  bool IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_set;
  }
  // True when the signal was raised within the time.
  bool WaitFor(unsigned milliseconds) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [this] { return m_set; });
  }
  // Waits until stop(isSet) holds; stop runs under the signal's lock, so it may read and change
  // state that is only touched under that lock (see Update). Set() and Update() wake the waiter.
  template <class Stop>
  void WaitUntil(Stop stop) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return stop(m_set); });
  }
  // Runs f under the signal's lock, then wakes the waiters of WaitUntil.
  template <class F>
  auto Update(F f) {
    struct Waker {
      std::condition_variable& Changed;
      ~Waker() { Changed.notify_all(); }
    } waker{m_changed};
    std::lock_guard lock(m_mutex);
    return f();
  }

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_set = false;
};

}  // namespace os
