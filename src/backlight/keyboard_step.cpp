#include "backlight/keyboard_step.h"

#include <cmath>
#include <optional>

#include "backlight/init_led_sdk_task.h"
#include "backlight/led_state.h"
#include "backlight/logitech_led_lib.h"
#include "core/common.h"
#include "core/lang_colors.h"
#include "os/system.h"

namespace backlight {
namespace {

// After a refused colour the library gets this long before the next attempt may load it again
// (the 2 s after the last attempt's end hold as well). A pause on the UI thread would freeze
// every indicator meanwhile.
constexpr double kHoldOffSeconds = 1.5;
// The teardown waits this long for a running attempt, whose waits end at once when cancelled.
constexpr unsigned kExitWaitMilliseconds = 3000;

std::optional<std::int64_t> g_refusedStamp;  // UI thread only

double SecondsBetween(std::int64_t from, std::int64_t to) {
  return static_cast<double>(to - from) / static_cast<double>(core::PerfFrequency);
}

bool MayStartAttempt(std::int64_t nowStamp) {
  if ((IsLedSdkLoaded && IsLedSdkInitialized) || IsLedSdkInitRunning) return false;
  if (IsLedSdkTaskCancelled() || core::PerfFrequency <= 0) return false;
  if (g_refusedStamp && SecondsBetween(*g_refusedStamp, nowStamp) < kHoldOffSeconds) return false;
  return SecondsBetween(LastLedSdkAttemptStamp, nowStamp) > 2.0;
}

os::TColor ToRgb(os::TColor color) {
  return os::IsSystemColor(color) ? os::Sys().GetSysColor(os::SystemColorIndex(color))
                                  : color & 0xFFFFFF;
}

// The keyboard refused the colour (keyboard gone, vendor software stopped): unload first, so
// that the epoch has ended before the flags fall and a running attempt cannot raise them again.
void UnloadAfterRefusal(std::int64_t nowStamp) {
  LogitechLedLib& lib = LedLib();
  lib.Shutdown(lib.CurrentEpoch());
  lib.UnloadLogiLedLib();
  IsLedSdkLoaded = false;
  IsLedSdkInitialized = false;
  g_refusedStamp = nowStamp;
}

}  // namespace

int LightingPercent(int component) {
  return static_cast<int>(std::trunc(static_cast<double>(component) / 255.0 * 100.0));
}

void KeyboardStep(const std::wstring& countryCode, std::int64_t nowStamp) {
  if (!core::Settings || !core::Settings->IsChangeRGB_KeyboardLogitech) return;
  if (MayStartAttempt(nowStamp)) StartInitLedSdkTask();
  if (!IsLedSdkInitialized) return;
  // The language's colour, else the "US" one, else the tooltip background; a hand-edited text
  // that is not a colour counts as no entry, as in every other per-language lookup.
  const os::TColor rgb =
      ToRgb(core::LangColorOrUS(core::Settings->SL_Lang_RGB_Color, countryCode));
  LogitechLedLib& lib = LedLib();
  const std::optional<bool> taken =
      lib.SetLighting(lib.CurrentEpoch(), LightingPercent(rgb & 0xFF),
                      LightingPercent((rgb >> 8) & 0xFF), LightingPercent((rgb >> 16) & 0xFF));
  if (taken && !*taken) UnloadAfterRefusal(nowStamp);
}

void OnSuspend() {
  LogitechLedLib& lib = LedLib();
  if (IsLedSdkInitialized) lib.Shutdown(lib.CurrentEpoch());
  if (!IsLedSdkLoaded) return;
  lib.UnloadLogiLedLib();
  IsLedSdkLoaded = false;
  IsLedSdkInitialized = false;
  core::LGHubStarted = false;
  core::LGHubCheckCount = 0;
}

void Shutdown() noexcept {
  CancelLedSdkTask();
  bool ended = !IsLedSdkInitRunning;
  try {
    if (!ended) ended = os::Sys().WaitForSignal(LedSdkTaskEnded(), kExitWaitMilliseconds);
    // An attempt that has not ended may still be inside a library call: the process's end
    // frees the library then.
    if (ended) {
      LogitechLedLib& lib = LedLib();
      if (lib.Shutdown(lib.CurrentEpoch())) os::Sys().Sleep(100);
      lib.UnloadLogiLedLib();
    }
  } catch (...) {
    // The library's errors must not stop the rest of the teardown.
  }
  IsLedSdkLoaded = false;
  IsLedSdkInitialized = false;
}

void ResetLedState(std::int64_t creationStamp) {
  LedLib().UnloadLogiLedLib();
  IsLedSdkLoaded = false;
  IsLedSdkInitialized = false;
  IsLedSdkInitRunning = false;
  LastLedSdkAttemptStamp = creationStamp;
  core::LGHubCheckCount = 0;
  core::LGHubStarted = false;
  g_refusedStamp.reset();
  ResetLedSdkTask();
}

}  // namespace backlight
