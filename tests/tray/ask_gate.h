#pragma once
// Holds the threads that ask a scripted drive or folder until the test opens it: a drive or
// folder that does not answer. A build whose menu waits for the answer gets it back after
// kHoldLimitMs, so that it fails the test instead of hanging.
#include <chrono>
#include <thread>

#include "os/signal.h"

namespace tray_testing {

class Gate {
 public:
  static constexpr unsigned kHoldLimitMs = 20000;

  void Hold() {
    const bool testThread = std::this_thread::get_id() == m_testThread;
    m_open.Update([this, testThread] {
      ++m_inside;
      m_heldTheTestThread = m_heldTheTestThread || testThread;
    });
    m_open.WaitFor(kHoldLimitMs);
    m_open.Update([this] { --m_inside; });
  }
  void Open() { m_open.Set(); }
  void Close() { m_open.Reset(); }
  bool Closed() const { return !m_open.IsSet(); }
  // True once the thread that made the gate (the test's, the UI thread) was held: it asked what
  // does not answer itself.
  bool HeldTheTestThread() { return m_open.Update([this] { return m_heldTheTestThread; }); }
  // How many threads are held now.
  int Inside() { return m_open.Update([this] { return m_inside; }); }
  // After Open: true once no thread is held any more (within the time).
  bool Empty(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (Inside() != 0) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

 private:
  os::Signal m_open;
  const std::thread::id m_testThread = std::this_thread::get_id();
  int m_inside = 0;  // under the signal's lock
  bool m_heldTheTestThread = false;
};

}  // namespace tray_testing
