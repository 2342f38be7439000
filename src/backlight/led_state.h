#pragma once
// The keyboard backlight's state, shared by the UI thread and the start-up task.
#include <atomic>
#include <cstdint>

namespace backlight {

// The library is loaded and the entry points the program relies on are resolved.
inline std::atomic<bool> IsLedSdkLoaded{false};
// The library is initialised and its target device set: every full pass sends the colour.
inline std::atomic<bool> IsLedSdkInitialized{false};
// An attempt is running, from the moment the pass submits it until its last step.
inline std::atomic<bool> IsLedSdkInitRunning{false};
// Performance-counter reading at the end of the last attempt (the main window's creation before
// the first); a new attempt starts only more than 2 s after it.
inline std::atomic<std::int64_t> LastLedSdkAttemptStamp{0};

// The state at the main window's creation, `creationStamp` being its counter reading. Also
// forgets an earlier exit and failure, so a test can start afresh; call it while no attempt runs.
void ResetLedState(std::int64_t creationStamp);

}  // namespace backlight
