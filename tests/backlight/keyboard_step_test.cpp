// The pass's keyboard step: when attempts start, the colour it sends, and the refused colour.
#include <gtest/gtest.h>

#include "backlight/logitech_led_lib.h"
#include "backlight_fixture.h"

namespace backlight_test {
namespace {

using backlight::IsLedSdkInitialized;
using backlight::IsLedSdkInitRunning;
using backlight::IsLedSdkLoaded;

class KeyboardStepTest : public BacklightTest {};

TEST(LightingPercent, TruncatesTheShareOf255) {
  const std::pair<int, int> cases[] = {{255, 100}, {128, 50}, {127, 49}, {3, 1}, {2, 0}, {0, 0}};
  for (auto [component, percent] : cases) {
    EXPECT_EQ(backlight::LightingPercent(component), percent) << component;
  }
}

TEST_F(KeyboardStepTest, TheFirstAttemptStartsOnlyMoreThanTwoSecondsAfterCreation) {
  Advance(1.0);
  Pass();
  Advance(1.0);  // exactly 2 s: not more
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 0u);
  sys->Counter += 1;
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 1u);
  EXPECT_TRUE(IsLedSdkInitRunning);
}

TEST_F(KeyboardStepTest, AnAttemptCountsAsRunningBeforeThePoolBeginsIt) {
  Advance(2.5);
  Pass();
  Advance(3.0);
  Pass();
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 1u);
}

TEST_F(KeyboardStepTest, TheNextAttemptWaitsTwoSecondsAfterTheLastOneEnded) {
  VendorRuns(false);
  Attempt();
  const double ended = Seconds();
  Advance(2.0);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 0u);
  Advance(0.01);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 1u);
  EXPECT_GT(Seconds() - ended, 2.0);
}

TEST_F(KeyboardStepTest, SwitchedOffNeitherAttemptsNorSends) {
  MakeReady();
  core::Settings->IsChangeRGB_KeyboardLogitech = false;
  backlight::IsLedSdkInitialized = false;
  Advance(10);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 0u);
  backlight::IsLedSdkInitialized = true;
  Pass();
  EXPECT_TRUE(LightingCalls().empty());
}

TEST_F(KeyboardStepTest, ThePoolRefusingCountsAsAnAttemptThatEnded) {
  sys->PoolRefuses = true;
  Advance(2.5);
  Pass();
  EXPECT_FALSE(IsLedSdkInitRunning);
  EXPECT_EQ(backlight::LastLedSdkAttemptStamp, sys->Counter);
}

TEST_F(KeyboardStepTest, SendsTheLanguagesColourOnEveryPass) {
  sys->SysColors[24] = 0xE1FFFF;  // the tooltip background: FFFFE1 as RRGGBB
  MakeReady();
  struct Case {
    const wchar_t* Country;
    std::vector<std::wstring> Colors;
    const char* Expected;
  } cases[] = {
      {L"DE", {L"US=0000FF", L"de=FF8000"}, "LogiLedSetLighting 100 50 0"},
      {L"FR", {L"DE=FF8000", L"US=0000FF"}, "LogiLedSetLighting 0 0 100"},
      {L"FR", {L"DE=FF8000"}, "LogiLedSetLighting 100 100 88"},
      {L"DE", {L"DE=7F0302", L"DE=FFFFFF"}, "LogiLedSetLighting 49 1 0"},
      // A text that is not a colour (a hand-edited file) counts as no entry.
      {L"DE", {L"DE=NOTHEX", L"US=0000FF"}, "LogiLedSetLighting 0 0 100"},
      {L"US", {L"US=NOTHEX", L"DE=FF8000"}, "LogiLedSetLighting 100 100 88"},
  };
  for (const Case& c : cases) {
    core::Settings->SL_Lang_RGB_Color = c.Colors;
    const std::size_t before = LightingCalls().size();
    Pass(c.Country);
    Pass(c.Country);  // the same colour again: sent again
    const std::vector<std::string> all = LightingCalls();
    EXPECT_EQ(
        std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()),
        (std::vector<std::string>{c.Expected, c.Expected}));
  }
}

TEST_F(KeyboardStepTest, ARefusedColourUnloadsAtOnceAndALaterAttemptRecovers) {
  MakeReady();
  Advance(5);  // the last attempt ended long ago: only the hold-off counts
  const std::size_t callsBefore = led.Calls().size();
  led.LightingResult = 0;
  Pass();
  const std::vector<std::string> calls = led.Calls();
  EXPECT_EQ(std::vector<std::string>(calls.begin() + static_cast<std::ptrdiff_t>(callsBefore),
                                     calls.end()),
            (std::vector<std::string>{"LogiLedSetLighting 100 50 0", "LogiLedShutdown"}));
  EXPECT_EQ(sys->LibraryFrees.size(), 1u);
  EXPECT_FALSE(IsLedSdkLoaded);
  EXPECT_FALSE(IsLedSdkInitialized);
  EXPECT_TRUE(sys->Sleeps.empty());  // mended: no pause on the UI thread
  EXPECT_EQ(sys->PoolQueueSize(), 0u);

  // The 1.5 s hold-off keeps the next attempt back.
  Advance(1.4);
  Pass();
  EXPECT_EQ(sys->PoolQueueSize(), 0u);
  EXPECT_EQ(led.Calls().size(), calls.size());  // and nothing is sent meanwhile
  Advance(0.2);
  led.LightingResult = 1;
  Pass();
  ASSERT_EQ(sys->PoolQueueSize(), 1u);
  sys->RunPoolWork();
  EXPECT_EQ(sys->LibraryLoads.size(), 2u);
  EXPECT_TRUE(IsLedSdkInitialized);
  Pass();
  EXPECT_EQ(LightingCalls().back(), "LogiLedSetLighting 100 50 0");
}

}  // namespace
}  // namespace backlight_test
