// The suspend notice and the exit, also while an attempt runs.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "backlight/init_led_sdk_task.h"
#include "backlight/logitech_led_lib.h"
#include "backlight_fixture.h"

namespace backlight_test {
namespace {

using backlight::IsLedSdkInitialized;
using backlight::IsLedSdkInitRunning;
using backlight::IsLedSdkLoaded;
using Lines = std::vector<std::string>;

class SuspendExitTest : public BacklightTest {
 protected:
  // The library loaded by an attempt whose initialisation failed, so that the next attempt goes
  // straight to initialising it.
  void LoadedButNotInitialised() {
    InstallLibrary();
    VendorRuns();
    led.InitResult = 0;
    Attempt();
    led.InitResult = 1;
    ASSERT_TRUE(IsLedSdkLoaded);
    ASSERT_FALSE(IsLedSdkInitialized);
  }
};

TEST_F(SuspendExitTest, SuspendShutsDownUnloadsAndForgetsTheVendorSearch) {
  MakeReady();
  core::LGHubStarted = true;
  backlight::OnSuspend();
  EXPECT_EQ(led.Calls().back(), "LogiLedShutdown");
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
  EXPECT_FALSE(core::LGHubStarted);
  EXPECT_EQ(core::LGHubCheckCount, 0);
}

TEST_F(SuspendExitTest, SuspendWithNothingLoadedLeavesTheSearchAsItIs) {
  VendorRuns(false);
  Attempt();
  backlight::OnSuspend();
  EXPECT_EQ(core::LGHubCheckCount, 1);
  EXPECT_TRUE(led.Calls().empty());
}

TEST_F(SuspendExitTest, SuspendDuringAnAttemptStopsItBeforeItsNextLibraryCall) {
  LoadedButNotInitialised();
  const std::size_t calls = led.Calls().size();
  // The attempt waits for the vendor software to settle; the machine suspends meanwhile.
  sys->OnWait = [](os::Signal&, unsigned milliseconds) {
    if (milliseconds == 6000) backlight::OnSuspend();
  };
  Attempt();
  EXPECT_EQ(led.Calls().size(), calls);  // no initialisation of a library that is gone
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
  EXPECT_FALSE(IsLedSdkInitRunning);

  sys->OnWait = nullptr;
  Attempt();  // after resuming, a new attempt loads afresh
  EXPECT_EQ(sys->LibraryLoads.size(), 2u);
  EXPECT_TRUE(IsLedSdkInitialized);
}

TEST_F(SuspendExitTest, AnUnloadRacingTheLastCallLeavesTheFlagsDown) {
  LoadedButNotInitialised();
  // The machine suspends while the target device is being set: the UI thread's unload waits
  // for the call, and then races the attempt's raising of the flag. Either order must end
  // with the library gone and both flags down.
  std::thread ui;
  led.OnCall = [&](const std::string& line) {
    if (line == "LogiLedSetTargetDevice 7") ui = std::thread([] { backlight::OnSuspend(); });
  };
  Attempt();
  ui.join();
  EXPECT_FALSE(backlight::LedLib().IsLoaded());
  EXPECT_FALSE(IsLedSdkInitialized);
  EXPECT_FALSE(IsLedSdkLoaded);
}

TEST_F(SuspendExitTest, ExitShutsDownWaitsAndUnloads) {
  MakeReady();
  backlight::Shutdown();
  EXPECT_EQ(led.Calls().back(), "LogiLedShutdown");
  EXPECT_EQ(sys->Sleeps, std::vector<unsigned>{100});
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
  Advance(10);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 0u);  // no attempt after the exit
}

TEST_F(SuspendExitTest, AnAttemptThePoolBeginsOnlyAfterTheExitDoesNothing) {
  InstallLibrary();
  VendorRuns();
  Advance(2.5);
  Pass();
  backlight::Shutdown();  // the attempt is still queued: nothing to wait for that could end
  sys->RunPoolWork();
  EXPECT_TRUE(status.empty());
  EXPECT_TRUE(sys->LibraryLoads.empty());
  EXPECT_FALSE(IsLedSdkInitRunning);
  EXPECT_FALSE(IsLedSdkLoaded);
}

TEST_F(SuspendExitTest, ExitWithNothingLoadedDoesNotPause) {
  backlight::Shutdown();
  EXPECT_TRUE(sys->Sleeps.empty());
  EXPECT_TRUE(sys->LibraryFrees.empty());
}

// The attempt on a thread of its own, as the pool runs it; the test's thread is the UI thread.
class ExitDuringAttemptTest : public SuspendExitTest {
 protected:
  ExitDuringAttemptTest() {
    sys->OnWait = [this](os::Signal& signal, unsigned milliseconds) {
      if (&signal == &backlight::LedSdkTaskEnded()) {
        signal.WaitFor(milliseconds);  // the UI thread's bounded wait for the attempt
      } else if (milliseconds == m_blockAt) {
        m_blocked.set_value();
        signal.WaitUntil([](bool raised) { return raised; });
      }
    };
  }
  void StartAttemptOnItsThread() {
    sys->PoolOnThreads = true;
    Advance(2.5);
    Pass();
  }
  unsigned m_blockAt = 0;
  std::promise<void> m_blocked;
};

TEST_F(ExitDuringAttemptTest, AWaitingAttemptEndsFirstAndNothingIsCalledAfterTheUnload) {
  LoadedButNotInitialised();
  const std::size_t calls = led.Calls().size();
  m_blockAt = 6000;  // waiting before it initialises the loaded library
  StartAttemptOnItsThread();
  m_blocked.get_future().wait();
  backlight::Shutdown();
  EXPECT_FALSE(IsLedSdkInitRunning);
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  sys->JoinPoolThreads();
  const Lines after = led.Calls();
  EXPECT_EQ(Lines(after.begin() + static_cast<std::ptrdiff_t>(calls), after.end()),
            Lines{"LogiLedShutdown"});
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
}

TEST_F(ExitDuringAttemptTest, AnAttemptWaitingForTheUiThreadIsAbandoned) {
  InstallLibrary();
  VendorRuns();
  // The UI thread is busy with the exit and never runs the status call.
  std::promise<void> calling;
  uiCall = [&](const std::function<void()>&, os::Signal& abandon) {
    calling.set_value();
    abandon.WaitUntil([](bool raised) { return raised; });
    return false;
  };
  StartAttemptOnItsThread();
  calling.get_future().wait();
  backlight::Shutdown();
  EXPECT_FALSE(IsLedSdkInitRunning);
  sys->JoinPoolThreads();
  EXPECT_TRUE(sys->LibraryLoads.empty());
  EXPECT_TRUE(status.empty());
}

}  // namespace
}  // namespace backlight_test
