// The running system's life: the filter lists built at creation, the start-up timer, the
// teardown, the end of the session (also a cancelled one), a suspend notice, and the keyboard
// backlight step's place in the pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "backlight_pass_fixture.h"
#include "backlight/init_led_sdk_task.h"
#include "backlight/keyboard_step.h"
#include "backlight/led_state.h"
#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/mouse_hook.h"
#include "pass_fixture.h"
#include "tray/data_module.h"
#include "ui/application.h"
#include "ui/tray_icon.h"

namespace {

using namespace monitor;

class Lifecycle : public testing_support::PassFixture {};

TEST_F(Lifecycle, CreationBuildsTheFilterListsFromTheSettings) {
  sys->AddFile(kSettingsFile, R"({"Exclude_AppFileName":{"IsDontShowByApplicationFilename":false}})");
  Start();
  ASSERT_TRUE(core::FilterWindowClass);
  EXPECT_EQ(*core::FilterWindowClass,
            (core::TStringList{L"MSTASKLISTWCLASS", L"MSTASKSWWCLASS", L"SHELL_TRAYWND", L"START",
                               L"TRAYNOTIFYWND", L"TRAYBUTTON"}));
  EXPECT_TRUE(core::FilterAppFileName->empty()) << "its switch is off in the file";
  EXPECT_EQ(*core::FilterAppFileName2,
            (core::TStringList{L"SYSTEMSETTINGS.EXE", L"CALC.EXE", L"CALCULATORAPP.EXE"}));
}

TEST_F(Lifecycle, FilterListsTakeTheEnabledNamesUpperCasedInAsciiOnly) {
  Start();
  S().SL_Exclude_WindowClass = {L"1:abc", L"0:Off", L"1: spaced ", L"1:Äbc", L"1:abc", L"",
                                L"1:" + std::wstring(300, L'x')};
  S().BuildFilterLists();
  EXPECT_EQ(*core::FilterWindowClass,
            (core::TStringList{L"ABC", L" SPACED ", L"ÄBC", L"ABC", std::wstring(256, L'X')}));
  S().IsDontShowByWindowClass = false;
  S().BuildFilterLists();
  EXPECT_TRUE(core::FilterWindowClass->empty());
  EXPECT_EQ(S().SL_Exclude_WindowClass.size(), 7u) << "the settings keep their entries";
  S().IsDontShowByApplicationFilename2 = false;
  S().BuildFilterList2();
  EXPECT_TRUE(core::FilterAppFileName2->empty());
}

// The reported file: border windows 2147483647 pixels thick covered the whole desktop and the
// taskbar, so that neither the settings nor the tray menu could be reached to undo it.
TEST_F(Lifecycle, HandEditedBorderWidthLeavesTheDesktopReachable) {
  sys->Dpi = 144;
  sys->AddFile(kSettingsFile, R"({"DesktopBorder":{"DesktopBorderWidth":2147483647,
                                  "IsShowWorkareaBorder":true,"IsShowTaskbarBorder":true}})");
  Start();
  Pass();
  const int thickest = 12;  // the page's 8 pixels at 144 DPI
  EXPECT_EQ(fWorkareaBorderL->Width(), thickest);
  EXPECT_EQ(fWorkareaBorderB->Height(), thickest);
  EXPECT_EQ(fTaskbarBorderT->Height(), thickest);
  EXPECT_EQ(fTaskbarBorderR->BoundsRect().Left, 1600 - thickest) << "inside the taskbar's edge";
}

TEST_F(Lifecycle, TheStartTimerStartsTheMonitoring) {
  auto& w = Start();
  sys->Counter += kTick;
  EXPECT_FALSE(MouseHookHandle) << "no hook before the start timer";
  w.TimerStartTimer();
  EXPECT_FALSE(w.TimerStart.Enabled());
  EXPECT_TRUE(w.TrayIcon.Visible());
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"EN") << "one pass ran";
  EXPECT_TRUE(MouseHookHandle);
  EXPECT_TRUE(static_cast<bool>(ui::App().OnIdle));
  sys->SwitchLayout(notepad, testing_support::kLayoutDE);
  sys->Counter += kTick;
  ui::App().OnIdle();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"DE") << "the idle handler runs the pass";
}

class LifecycleWithBacklight : public testing_support::BacklightPassFixture {};

TEST_F(LifecycleWithBacklight, DestructionShutsTheLibraryDownAndUnloadsItWithoutSaving) {
  auto& w = Start();
  w.TimerStartTimer();
  MakeReady();
  const std::size_t sleeps = sys->Sleeps.size();
  ui::App().DestroyComponents();
  EXPECT_FALSE(ui::App().OnIdle);
  EXPECT_FALSE(MouseHookHandle);
  EXPECT_FALSE(fLangInfo);
  EXPECT_FALSE(fTaskbarBorderB);
  EXPECT_FALSE(core::Settings);
  EXPECT_FALSE(core::FilterAppFileName2);
  EXPECT_EQ(led.Calls().back(), "LogiLedShutdown");
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_TRUE(sys->LoadedLibraries.empty());
  EXPECT_EQ(std::vector<unsigned>(sys->Sleeps.begin() + static_cast<std::ptrdiff_t>(sleeps),
                                  sys->Sleeps.end()),
            std::vector<unsigned>{100});
  EXPECT_FALSE(backlight::IsLedSdkLoaded);
  EXPECT_FALSE(backlight::IsLedSdkInitialized);
  EXPECT_FALSE(sys->HasFile(kSettingsFile));
}

TEST_F(LifecycleWithBacklight, ASuspendShutsTheLoadedLibraryDownAndNothingElse) {
  auto& w = Start();
  ::SendMessageW(w.Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  ::SendMessageW(w.Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_TRUE(led.Calls().empty()) << "nothing loaded, and resume does nothing";
  EXPECT_TRUE(sys->LibraryFrees.empty());
  MakeReady();
  core::LGHubStarted = true;
  core::LGHubCheckCount = 3;
  EXPECT_EQ(::SendMessageW(w.Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0), 0);
  EXPECT_EQ(led.Calls().back(), "LogiLedShutdown");
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_FALSE(backlight::IsLedSdkLoaded);
  EXPECT_FALSE(backlight::IsLedSdkInitialized);
  EXPECT_FALSE(core::LGHubStarted);
  EXPECT_EQ(core::LGHubCheckCount, 0);
}

TEST_F(LifecycleWithBacklight, TheBacklightStepStartsAnAttemptAfterTwoSecondsAndOneAtATime) {
  Start();
  Pass();
  S().IsChangeRGB_KeyboardLogitech = true;  // switched on 1 s after the start
  Advance(0.9);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 0u) << "1 s after creation";
  Advance(0.95);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 0u) << "2 s: not more than 2";
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 1u);
  EXPECT_TRUE(backlight::IsLedSdkInitRunning) << "counted as running before the pool runs it";
  Advance(3);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 1u) << "no second attempt while one runs";
}

TEST_F(LifecycleWithBacklight, TheAttemptsStatusShowsOnTheKeyboardLightingPage) {
  auto& w = Start();
  EXPECT_EQ(w.L_LogitechSDK.Caption(), L"");
  MakeReady();
  const std::wstring status = w.L_LogitechSDK.Caption();
  EXPECT_EQ(status.rfind(core::GetLangText(255) + L": ", 0), 0u) << "the library's version: " << status;
}

TEST_F(LifecycleWithBacklight, TheColourGoesOutAsPercentagesOnEveryPass) {
  Start();
  MakeReady();
  S().SL_Lang_RGB_Color = {L"US=FF8000"};
  Pass();
  Pass();
  EXPECT_EQ(LightingCalls(), (Lines{"LogiLedSetLighting 100 50 0", "LogiLedSetLighting 100 50 0"}));
  struct {
    int Component, Percent;
  } table[] = {{255, 100}, {128, 50}, {127, 49}, {3, 1}, {2, 0}, {0, 0}};
  for (auto c : table) EXPECT_EQ(backlight::LightingPercent(c.Component), c.Percent) << c.Component;
}

TEST_F(LifecycleWithBacklight, AFailedColourCallUnloadsTheLibraryWithoutPausingThePass) {
  Start();
  MakeReady();
  S().SL_Lang_RGB_Color.clear();
  led.LightingResult = 0;
  const std::size_t sleeps = sys->Sleeps.size();
  Pass();
  EXPECT_EQ(LightingCalls(), Lines{"LogiLedSetLighting 100 100 88"})
      << "no entry: the tooltip background FFFFE1";
  EXPECT_EQ(led.Calls().back(), "LogiLedShutdown");
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_EQ(sys->Sleeps.size(), sleeps) << "the indicators must not freeze meanwhile";
  EXPECT_FALSE(backlight::IsLedSdkLoaded);
  EXPECT_FALSE(backlight::IsLedSdkInitialized);
  Pass();
  EXPECT_EQ(LightingCalls().size(), 1u) << "no colour while not loaded";
}

TEST_F(LifecycleWithBacklight, WithoutTheLibraryTheAttemptEndsAndNothingIsLoaded) {
  sys->Libraries.clear();
  Start();
  S().IsChangeRGB_KeyboardLogitech = true;
  Advance(3);
  Pass();
  sys->RunPoolWork();
  EXPECT_FALSE(backlight::IsLedSdkInitRunning);
  EXPECT_FALSE(backlight::IsLedSdkLoaded);
  EXPECT_EQ(sys->LibraryLoads.size(), 1u) << "looked for once";
  EXPECT_TRUE(led.Calls().empty());
}

// The exit while an attempt waits for the UI thread's status call, through the application's own
// synchronous call: the UI thread is busy with the teardown and never runs it. The teardown must
// not wait for ever on an attempt that waits on it.
TEST_F(LifecycleWithBacklight, ExitWhileAnAttemptWaitsForTheUiThreadEndsCleanly) {
  Start();
  sys->OnWait = [](os::Signal& signal, unsigned milliseconds) {
    if (&signal == &backlight::LedSdkTaskEnded()) signal.WaitFor(milliseconds);
  };
  sys->PoolOnThreads = true;
  S().IsChangeRGB_KeyboardLogitech = true;
  Advance(2.5);
  Pass();
  // The attempt's first status text is posted to the UI thread, which does not take it yet.
  // Looked for without taking it: the message loop would run it.
  const HWND utility = ui::App().UtilityWindow();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  MSG msg;
  while (::PeekMessageW(&msg, utility, WM_APP, 0xBFFF, PM_NOREMOVE) == FALSE) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the attempt never asked the UI thread";
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ui::App().DestroyComponents();
  EXPECT_FALSE(backlight::IsLedSdkInitRunning) << "the attempt ended before the teardown did";
  sys->JoinPoolThreads();
  EXPECT_TRUE(sys->LibraryLoads.empty());
  EXPECT_TRUE(led.Calls().empty());
}

// What the way out does that can wait on another program, each noted with whether the settings
// were saved by then: an icon's removal from the notification area is a SendMessage to the
// shell's process, the news download is joined, the keyboard library shuts down through its
// vendor's software. A hang in any of them must lose nothing.
class WaysOut {
 public:
  explicit WaysOut(testing_support::FakeSystem& sys, const std::wstring& settingsFile)
      : m_sys(sys), m_file(settingsFile) {
    s_current = this;
    m_previous = ui::TrayIcon::SetShellNotify(&RecordShellNotify);
  }
  ~WaysOut() {
    ui::tray_shell::Settle(10000);
    ui::TrayIcon::SetShellNotify(m_previous);
    s_current = nullptr;
  }
  WaysOut(const WaysOut&) = delete;
  WaysOut& operator=(const WaysOut&) = delete;

  void Note(const std::string& call) {
    const bool saved = m_sys.ReplacementsOf(m_file) > 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back(call + (saved ? " after the save" : " BEFORE THE SAVE"));
  }
  // Once the shell thread has made the taskbar's calls asked for so far.
  std::vector<std::string> Calls() {
    EXPECT_TRUE(ui::tray_shell::Settle(10000));
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
  }

 private:
  static BOOL WINAPI RecordShellNotify(DWORD message, PNOTIFYICONDATAW) {
    WaysOut* const ways = s_current;
    if (message == NIM_DELETE && ways != nullptr) ways->Note("icon removed");
    return TRUE;
  }
  static inline std::atomic<WaysOut*> s_current = nullptr;
  testing_support::FakeSystem& m_sys;
  std::wstring m_file;
  ui::TrayIcon::ShellNotify m_previous = nullptr;
  std::mutex m_mutex;
  std::vector<std::string> m_calls;
};

TEST_F(LifecycleWithBacklight, ExitFromTheTrayMenuSavesBeforeAnythingThatCanWaitOnAnotherProgram) {
  WaysOut ways(*sys, kSettingsFile);
  std::atomic<bool> requesting{false};
  sys->HttpAnswer = [&](const std::wstring&, const os::HttpOptions& options) {
    // A server that keeps the request open: only the program's giving up ends it.
    requesting = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (options.Abort != nullptr && !options.Abort->load() &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ways.Note("news download given up");
    return os::HttpResult{};
  };
  led.OnCall = [&](const std::string& line) {
    if (line.rfind("LogiLedShutdown", 0) == 0) ways.Note("keyboard library shut down");
  };
  auto& w = Start();
  w.TimerStartTimer();  // the flag icon joins the lock icons
  MakeReady();
  w.TimerUpdate.OnTimer();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!requesting && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_TRUE(requesting) << "the news download runs";

  tray::DM->pmm_Exit->Click();
  ui::App().DestroyComponents();  // what the main block does once the message loop has ended

  // In whatever order the teardown makes them.
  std::vector<std::string> calls = ways.Calls();
  std::sort(calls.begin(), calls.end());
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "icon removed after the save", "icon removed after the save",
                       "icon removed after the save", "keyboard library shut down after the save",
                       "news download given up after the save"}));
  EXPECT_EQ(sys->ReplacementsOf(kSettingsFile), 1) << "saved once";
}

// The end of the session: the query only answers; the end itself stops the monitoring and saves;
// a cancelled end brings back what was stopped, also by the indicators' own handlers.
TEST_F(Lifecycle, SessionEndMessages) {
  auto& w = Start();
  w.TimerStartTimer();
  EXPECT_EQ(::SendMessageW(w.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_TRUE(static_cast<bool>(ui::App().OnIdle));
  EXPECT_TRUE(MouseHookHandle);
  EXPECT_TRUE(w.TrayIcon.Visible());

  ::SendMessageW(fLangInfo->Handle(), WM_QUERYENDSESSION, 0, 0);  // stops the idle handler
  EXPECT_EQ(::SendMessageW(w.Handle(), WM_ENDSESSION, FALSE, 0), 1);
  EXPECT_TRUE(static_cast<bool>(ui::App().OnIdle)) << "cancelled: monitoring goes on";
  EXPECT_TRUE(MouseHookHandle);
  EXPECT_FALSE(sys->HasFile(kSettingsFile));

  WaysOut ways(*sys, kSettingsFile);
  EXPECT_EQ(::SendMessageW(w.Handle(), WM_ENDSESSION, TRUE, 0), 1);
  // At log-off the shell may be gone or hung, and the session ends on its own clock.
  EXPECT_EQ(ways.Calls(), std::vector<std::string>{"icon removed after the save"});
  EXPECT_FALSE(ui::App().OnIdle);
  EXPECT_FALSE(MouseHookHandle);
  EXPECT_FALSE(w.TrayIcon.Visible());
  EXPECT_TRUE(w.TrayIcon_CAPS.Visible()) << "the lock icons stay";
  EXPECT_TRUE(sys->HasFile(kSettingsFile)) << "saved at the end of the session";
}

TEST_F(Lifecycle, ACancelledSessionEndBeforeTheStartTimerStartsNothing) {
  auto& w = Start();
  ::SendMessageW(w.Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(ui::App().OnIdle);
  EXPECT_FALSE(MouseHookHandle);
  EXPECT_FALSE(w.TrayIcon.Visible());
}

}  // namespace
