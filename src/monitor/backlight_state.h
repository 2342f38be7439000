#pragma once
// The keyboard backlight as the main window drives it: the library's entry points, the start of
// an initialisation attempt, the colour sent on each pass, and the shutdown on suspend and at the
// end. The library binding and its start-up task fill this in; until then the library is never
// loaded and every entry point is null, so the pass only keeps the attempt's timing.
#include <cstdint>
#include <string>

#include "os/types.h"

namespace monitor {

struct LedSdkEntryPoints {
  // Percentages 0 to 100; true when the keyboard took the colour.
  bool (*SetLighting)(int redPercent, int greenPercent, int bluePercent) = nullptr;
  void (*Shutdown)() = nullptr;
};

// Entry points of the loaded library; all null while it is not loaded.
inline LedSdkEntryPoints LedSdk;
// Frees the library; does nothing once it is gone. Null while there is no binding.
inline void (*UnloadLogiLedLib)() = nullptr;
// Starts an initialisation attempt on the thread pool. Null while there is no binding: then no
// attempt starts and the library stays not loaded.
inline void (*StartLedSdkInitTask)() = nullptr;

// A colour component 0..255 as the library's percentage: Trunc(v / 255 * 100).
int LedPercent(int component);

// Step 9 of the monitoring pass, for the layout's country code.
void KeyboardBacklightStep(const std::wstring& countryCode);

// The main window's destruction: shutdown, a short pause for the library to finish, unload;
// an error is swallowed, and the flags are cleared in every case.
void ShutdownLedSdkOnDestroy() noexcept;

// A suspend notice: the library is shut down and unloaded; the passes after the resume start a
// new attempt.
void ShutdownLedSdkOnSuspend() noexcept;

}  // namespace monitor
