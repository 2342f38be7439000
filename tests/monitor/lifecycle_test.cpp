// The running system's life: the filter lists built at creation, the start-up timer, the
// teardown, the end of the session (also a cancelled one), a suspend notice, and the keyboard
// backlight step's place in the pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/backlight_state.h"
#include "monitor/globals.h"
#include "monitor/mouse_hook.h"
#include "pass_fixture.h"
#include "ui/application.h"

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

// The backlight library as a fake: the calls in their order.
std::vector<std::string> g_calls;
bool g_lightingTaken = true;

class LifecycleWithBacklight : public Lifecycle {
 protected:
  void SetUp() override {
    Lifecycle::SetUp();
    g_calls.clear();
    g_lightingTaken = true;
    LedSdk.SetLighting = [](int r, int g, int b) {
      g_calls.push_back("light " + std::to_string(r) + "," + std::to_string(g) + "," +
                        std::to_string(b));
      return g_lightingTaken;
    };
    LedSdk.Shutdown = [] { g_calls.push_back("shutdown"); };
    UnloadLogiLedLib = [] { g_calls.push_back("unload"); };
    StartLedSdkInitTask = [] { g_calls.push_back("start task"); };
  }
};

TEST_F(LifecycleWithBacklight, DestructionTearsDownInOrderWithoutSaving) {
  auto& w = Start();
  w.TimerStartTimer();
  IsLedSdkLoaded = IsLedSdkInitialized = true;
  ui::App().DestroyComponents();
  EXPECT_FALSE(ui::App().OnIdle);
  EXPECT_FALSE(MouseHookHandle);
  EXPECT_FALSE(fLangInfo);
  EXPECT_FALSE(fTaskbarBorderB);
  EXPECT_FALSE(core::Settings);
  EXPECT_FALSE(core::FilterAppFileName2);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"shutdown", "unload"}));
  EXPECT_EQ(sys->Sleeps, (std::vector<unsigned>{100}));
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
  EXPECT_FALSE(sys->HasFile(kSettingsFile));
}

TEST_F(LifecycleWithBacklight, ASuspendShutsTheLoadedLibraryDownAndNothingElse) {
  auto& w = Start();
  ::SendMessageW(w.Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  ::SendMessageW(w.Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  EXPECT_TRUE(g_calls.empty()) << "nothing loaded, and resume does nothing";
  IsLedSdkLoaded = IsLedSdkInitialized = true;
  core::LGHubStarted = true;
  core::LGHubCheckCount = 3;
  EXPECT_EQ(::SendMessageW(w.Handle(), WM_POWERBROADCAST, PBT_APMSUSPEND, 0), 0);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"shutdown", "unload"}));
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
  EXPECT_FALSE(core::LGHubStarted);
  EXPECT_EQ(core::LGHubCheckCount, 0);
}

TEST_F(LifecycleWithBacklight, TheBacklightStepStartsAnAttemptAfterTwoSecondsAndOneAtATime) {
  Start();
  Pass();
  S().IsChangeRGB_KeyboardLogitech = true;  // switched on 1 s after the start
  Advance(0.9);
  Pass();
  EXPECT_TRUE(g_calls.empty()) << "1 s after creation";
  Advance(0.95);
  Pass();
  EXPECT_TRUE(g_calls.empty()) << "2 s: not more than 2";
  Pass();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"start task"}));
  EXPECT_TRUE(IsLedSdkInitRunning) << "counted as running before the pool runs it";
  Pass();
  EXPECT_EQ(g_calls.size(), 1u) << "no second attempt while one runs";
}

TEST_F(LifecycleWithBacklight, TheColourGoesOutAsPercentagesOnEveryPass) {
  Start();
  S().IsChangeRGB_KeyboardLogitech = true;
  S().SL_Lang_RGB_Color = {L"US=FF8000"};
  IsLedSdkLoaded = IsLedSdkInitialized = true;
  Pass();
  Pass();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"light 100,50,0", "light 100,50,0"}));
  struct {
    int Component, Percent;
  } table[] = {{255, 100}, {128, 50}, {127, 49}, {3, 1}, {2, 0}, {0, 0}};
  for (auto c : table) EXPECT_EQ(LedPercent(c.Component), c.Percent) << c.Component;
}

TEST_F(LifecycleWithBacklight, AFailedColourCallUnloadsTheLibrary) {
  Start();
  S().IsChangeRGB_KeyboardLogitech = true;
  IsLedSdkLoaded = IsLedSdkInitialized = true;
  g_lightingTaken = false;
  Pass();
  EXPECT_EQ(g_calls,
            (std::vector<std::string>{"light 100,100,88", "shutdown", "unload"}))
      << "no entry: the tooltip background FFFFE1";
  EXPECT_EQ(sys->Sleeps, (std::vector<unsigned>{500, 500, 500}));
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
}

TEST_F(LifecycleWithBacklight, WithoutABindingTheStepFindsTheLibraryNotLoaded) {
  StartLedSdkInitTask = nullptr;
  LedSdk = {};
  Start();
  S().IsChangeRGB_KeyboardLogitech = true;
  Advance(3);
  Pass();
  EXPECT_FALSE(IsLedSdkInitRunning);
  EXPECT_FALSE(IsLedSdkLoaded);
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

  EXPECT_EQ(::SendMessageW(w.Handle(), WM_ENDSESSION, TRUE, 0), 1);
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
