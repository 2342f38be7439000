#pragma once
// The pass with the keyboard backlight as the running program drives it: the real binding and
// start-up task, with the fake loader's LED library, a running vendor software and the fake's
// thread pool.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backlight/led_state.h"
#include "pass_fixture.h"
#include "support/fake_led_library.h"

namespace testing_support {

class BacklightPassFixture : public PassFixture {
 protected:
  using Lines = std::vector<std::string>;

  void SetUp() override {
    PassFixture::SetUp();
    backlight_test::g_led = &led;
    sys->Libraries[L"SDK_LEGACY_LED_X64.DLL"] = led.Exports();
    sys->ProcessNames = std::vector<std::wstring>{L"explorer.exe", L"lghub.exe"};
  }
  void TearDown() override {
    PassFixture::TearDown();
    sys->JoinPoolThreads();
    backlight_test::g_led = nullptr;
  }
  // The switch on, and the library loaded and initialised by an attempt that a pass started.
  void MakeReady() {
    S().IsChangeRGB_KeyboardLogitech = true;
    Advance(2.5);
    Pass();
    ASSERT_EQ(sys->PoolQueueSize(), 1u);
    sys->RunPoolWork();
    ASSERT_TRUE(backlight::IsLedSdkInitialized);
  }
  // The colours sent to the keyboard, in order.
  Lines LightingCalls() const {
    Lines lines;
    for (const std::string& line : led.Calls()) {
      if (line.rfind("LogiLedSetLighting", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  backlight_test::FakeLedLibrary led;
};

}  // namespace testing_support
