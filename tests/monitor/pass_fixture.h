#pragma once
// The main window built on a scripted desktop with three installed layouts (English and Spanish
// of the United States, German) and one that is not installed (Russian), a notepad in the
// foreground, and a manual clock that each Pass() moves on by the throttle's 0.05 s.
#include <cstdint>

#include "core/common.h"
#include "monitor/globals.h"
#include "support/fixed_text_measurer.h"
#include "support/main_window_fixture.h"

namespace testing_support {

inline constexpr std::uint64_t kLayoutUS = 0x04090409;
inline constexpr std::uint64_t kLayoutDE = 0x04070407;
inline constexpr std::uint64_t kLayoutEsUS = 0x0409540A;  // Spanish of the United States
inline constexpr std::uint64_t kLayoutRU = 0x04190419;    // not installed: no flag image

class PassFixture : public MainWindowFixture {
 protected:
  static constexpr std::int64_t kTick = 500'000;  // 0.05 s of the fake's 10 MHz counter

  void SetUp() override {
    MainWindowFixture::SetUp();
    sys->AddLocale(0x0407, L"de", L"DE", L"German (Germany)", L"DEU", L"DEU");
    sys->AddLocale(0x540A, L"es", L"US", L"Spanish (United States)", L"EST", L"USA");
    sys->AddLocale(0x0419, L"ru", L"RU", L"Russian (Russia)", L"RUS", L"RUS");
    sys->KeyboardLayouts = {kLayoutUS, kLayoutDE, kLayoutEsUS};
    sys->Monitor = {0, 0, 1600, 900};
    sys->WorkArea = {0, 0, 1600, 860};
    sys->Taskbar = {0, 860, 1600, 900};
    notepad = sys->AddApp(L"C:\\Windows\\notepad.exe", L"Notepad", kLayoutUS,
                          {100, 100, 900, 700});
    sys->Foreground = notepad;
  }

  monitor::TfMain& Start() { return CreateMainWindow(); }
  // One full pass, 0.05 s after the last one.
  void Pass() {
    sys->Counter += kTick;
    main->DetectKeysStatus();
  }
  void Advance(double seconds) {
    sys->Counter += static_cast<std::int64_t>(seconds * static_cast<double>(sys->Frequency));
  }
  core::TSettings& S() { return *core::Settings; }

  ScopedFixedTextMeasurer measurer;
  os::WindowId notepad;
};

}  // namespace testing_support
