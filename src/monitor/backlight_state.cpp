#include "monitor/backlight_state.h"

#include "core/color_text.h"
#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/lang_colors.h"
#include "os/system.h"
#include "ui/application.h"

namespace monitor {
namespace {

double Elapsed(std::int64_t from, std::int64_t to) {
  return static_cast<double>(to - from) / static_cast<double>(core::PerfFrequency);
}

// Resolves a system colour (the tooltip background when no entry was found) to its RGB value.
os::TColor ToRgb(os::TColor c) {
  return os::IsSystemColor(c) ? os::Sys().GetSysColor(os::SystemColorIndex(c)) : c;
}

void FailurePath() {
  auto& sys = os::Sys();
  if (LedSdk.Shutdown != nullptr) LedSdk.Shutdown();
  sys.Sleep(500);
  ui::App().ProcessMessages();
  if (UnloadLogiLedLib != nullptr) UnloadLogiLedLib();
  IsLedSdkLoaded = false;
  IsLedSdkInitialized = false;
  for (int i = 0; i < 2; ++i) {
    sys.Sleep(500);
    ui::App().ProcessMessages();
  }
}

}  // namespace

int LedPercent(int component) {
  return static_cast<int>(static_cast<double>(component) / 255.0 * 100.0);
}

void KeyboardBacklightStep(const std::wstring& countryCode) {
  using core::Settings;
  if (!Settings->IsChangeRGB_KeyboardLogitech) return;

  if ((!IsLedSdkLoaded || !IsLedSdkInitialized) && !IsLedSdkInitRunning &&
      Elapsed(core::LastLedSdkAttemptStamp, core::NowStamp) > 2.0 &&
      StartLedSdkInitTask != nullptr) {
    // Running from now on, before the pool has picked the task up, so that the next pass does
    // not start a second one.
    IsLedSdkInitRunning = true;
    StartLedSdkInitTask();
  }

  if (!IsLedSdkInitialized || LedSdk.SetLighting == nullptr) return;
  const os::TColor c = ToRgb(LangColorOrUS(Settings->SL_Lang_RGB_Color, countryCode));
  const bool taken = LedSdk.SetLighting(LedPercent(c & 0xFF), LedPercent((c >> 8) & 0xFF),
                                        LedPercent((c >> 16) & 0xFF));
  if (!taken) FailurePath();
}

void ShutdownLedSdkOnDestroy() noexcept {
  try {
    if (LedSdk.Shutdown != nullptr) {
      LedSdk.Shutdown();
      os::Sys().Sleep(100);
    }
    if (UnloadLogiLedLib != nullptr) UnloadLogiLedLib();
  } catch (...) {
    // The program is ending; a library that fails to shut down changes nothing for the user.
  }
  IsLedSdkLoaded = false;
  IsLedSdkInitialized = false;
}

void ShutdownLedSdkOnSuspend() noexcept {
  try {
    if (IsLedSdkInitialized && LedSdk.Shutdown != nullptr) LedSdk.Shutdown();
    if (IsLedSdkLoaded) {
      IsLedSdkLoaded = false;
      IsLedSdkInitialized = false;
      core::LGHubStarted = false;
      core::LGHubCheckCount = 0;
      if (UnloadLogiLedLib != nullptr) UnloadLogiLedLib();
    }
  } catch (...) {
    ui::App().HandleException();
  }
}

}  // namespace monitor
