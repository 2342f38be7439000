#pragma once
// A scripted world for the keyboard backlight: the fake loader with the fake LED library, the
// process list, the manual clock, the shell, and a UI dispatcher that runs the status calls at
// once (as if the UI thread were idle) and records the label's texts.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backlight/keyboard_step.h"
#include "backlight/led_state.h"
#include "backlight/status_label.h"
#include "core/common.h"
#include "core/json.h"
#include "support/fake_led_library.h"
#include "os/text.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"

namespace backlight_test {

inline constexpr wchar_t kFallbackName[] = L"sdk_legacy_led_x64.dll";
inline constexpr wchar_t kVendorPath[] = L"C:\\Program Files\\LGHUB\\lghub.exe";
inline constexpr wchar_t kVendorTitle[] = L"Logitech\u00A0G\u00A0HUB";
// The English status texts.
inline const std::wstring kNotFound = L"Logitech SDK not found";
inline const std::wstring kInitFailed = L"Logitech SDK Initialization failed";
inline const std::wstring kVersion = L"Logitech SDK version";

class BacklightTest : public ::testing::Test {
 protected:
  BacklightTest() {
    g_led = &led;
    core::Settings = std::make_unique<core::TSettings>();
    core::Settings->IsChangeRGB_KeyboardLogitech = true;
    core::Settings->SL_Lang_RGB_Color = {L"DE=FF8000", L"US=0000FF"};
    core::PerfFrequency = sys->Frequency;
    core::LangTable = std::make_unique<core::Json>(core::ParseJsonText(
        R"({"Items":{"253":"Logitech SDK not found","254":"Logitech SDK Initialization failed",)"
        R"("255":"Logitech SDK version"}})"));
    m_start = sys->Counter;
    backlight::ResetLedState(sys->Counter);
    backlight::SetUiDispatcher([this](const std::function<void()>& fn, os::Signal& abandon) {
      return uiCall ? uiCall(fn, abandon) : (fn(), true);
    });
    backlight::SetStatusSink([this](const std::wstring& text) { status.push_back(text); });
  }
  ~BacklightTest() override {
    sys->JoinPoolThreads();
    backlight::ResetLedState(0);
    backlight::SetUiDispatcher(nullptr);
    backlight::SetStatusSink(nullptr);
    core::Settings.reset();
    core::LangTable.reset();
    core::PerfFrequency = 0;
    g_led = nullptr;
  }

  void InstallLibrary(const std::wstring& name = kFallbackName, const std::string& missing = {}) {
    sys->Libraries[os::ToUpperAscii(name)] = led.Exports(missing);
  }
  void VendorRuns(bool runs = true) {
    sys->ProcessNames = std::vector<std::wstring>{L"explorer.exe"};
    if (runs) sys->ProcessNames->push_back(L"LGHUB.EXE");
  }
  // Seconds on the manual clock since the main window's creation.
  double Seconds() { return static_cast<double>(sys->Counter - m_start) / sys->Frequency; }
  void Advance(double seconds) {
    sys->Counter += static_cast<std::int64_t>(seconds * static_cast<double>(sys->Frequency));
  }
  void Pass(const std::wstring& country = L"DE") { backlight::KeyboardStep(country, sys->Counter); }
  // The waits of the attempts run since the last call.
  std::vector<unsigned> NewWaits() {
    std::vector<unsigned> all = sys->Waits();
    std::vector<unsigned> fresh(all.begin() + static_cast<std::ptrdiff_t>(m_waitsSeen), all.end());
    m_waitsSeen = all.size();
    return fresh;
  }
  // Runs one attempt as the pass would start it: more than 2 s after the last one.
  std::vector<unsigned> Attempt() {
    Advance(2.5);
    Pass();
    EXPECT_EQ(sys->PoolQueueSize(), 1u);
    NewWaits();
    sys->RunPoolWork();
    return NewWaits();
  }
  // The library loaded, initialised and ready for colours.
  void MakeReady() {
    InstallLibrary();
    VendorRuns();
    Attempt();
    ASSERT_TRUE(backlight::IsLedSdkInitialized);
  }
  std::vector<std::string> LightingCalls() const {
    std::vector<std::string> lines;
    for (const std::string& line : led.Calls()) {
      if (line.rfind("LogiLedSetLighting", 0) == 0) lines.push_back(line);
    }
    return lines;
  }

  testing_support::ScopedFakeSystem sys;
  testing_support::ScopedFakeShell shell;
  FakeLedLibrary led;
  std::vector<std::wstring> status;
  // The UI thread as the test scripts it; none: it runs each call at once.
  std::function<bool(const std::function<void()>&, os::Signal&)> uiCall;

 private:
  std::int64_t m_start = 0;
  std::size_t m_waitsSeen = 0;
};

}  // namespace backlight_test
