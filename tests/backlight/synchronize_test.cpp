// The application's synchronous call from another thread, with the real message queue.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "os/signal.h"
#include "ui/application.h"

namespace {

// Pumps the UI thread's messages until `done` holds; false when the deadline passed first.
template <class Done>
bool PumpUntil(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    ui::App().ProcessMessages();
    std::this_thread::yield();
  }
  return true;
}

// Whether a message for the utility window waits in the UI thread's queue.
bool CallIsQueued() {
  MSG msg;
  return ::PeekMessageW(&msg, ui::App().UtilityWindow(), WM_APP, 0xBFFF, PM_NOREMOVE) != 0;
}

class SynchronizeTest : public ::testing::Test {
 protected:
  SynchronizeTest() { ui::App().UtilityWindow(); }
  ~SynchronizeTest() override {
    if (m_caller.joinable()) m_caller.join();
  }
  // Calls from another thread: the function notes the thread it ran on.
  void CallFromAnotherThread() {
    m_caller = std::thread([this] {
      m_result = ui::App().Synchronize([this] { m_ranOn = ::GetCurrentThreadId(); }, m_abandon);
      m_returned = true;
    });
  }
  os::Signal m_abandon;
  std::thread m_caller;
  std::atomic<bool> m_returned{false};
  std::atomic<bool> m_result{false};
  std::atomic<DWORD> m_ranOn{0};
};

TEST_F(SynchronizeTest, RunsOnTheUiThreadAndReturnsAfterwards) {
  CallFromAnotherThread();
  ASSERT_TRUE(PumpUntil([this] { return m_returned.load(); }));
  EXPECT_TRUE(m_result);
  EXPECT_EQ(m_ranOn, ::GetCurrentThreadId());
}

TEST_F(SynchronizeTest, AnAbandonedCallNeverRuns) {
  CallFromAnotherThread();
  // The UI thread is busy (it does not pump) when the caller gives up.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!CallIsQueued() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  ASSERT_TRUE(CallIsQueued());
  m_abandon.Set();
  m_caller.join();
  EXPECT_FALSE(m_result);
  ui::App().ProcessMessages();  // the queued call comes in late
  EXPECT_EQ(m_ranOn, 0u);
}

TEST_F(SynchronizeTest, OnTheUiThreadItRunsAtOnce) {
  bool ran = false;
  EXPECT_TRUE(ui::App().Synchronize([&] { ran = true; }, m_abandon));
  EXPECT_TRUE(ran);
}

}  // namespace
