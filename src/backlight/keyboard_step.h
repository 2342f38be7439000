#pragma once
// The keyboard backlight's place in the main window: its step of the monitoring pass, its part
// of the suspend notice and of the teardown.
#include <cstdint>
#include <string>

namespace backlight {

// A colour component 0-255 as the library's percentage 0-100, truncated.
int LightingPercent(int component);

// The pass's keyboard step, on the UI thread: starts an attempt when the library is not ready,
// sends the language's colour while it is, and unloads it when the keyboard refuses the colour.
// `nowStamp` is the pass's counter reading.
void KeyboardStep(const std::wstring& countryCode, std::int64_t nowStamp);

// The suspend notice: the library is shut down and unloaded, and the search for the vendor
// software starts afresh after resuming.
void OnSuspend();

// The main window's teardown: cancels a running attempt, waits a bounded time for it to end,
// and shuts the library down and unloads it once no attempt can call into it any more.
void Shutdown() noexcept;

}  // namespace backlight
