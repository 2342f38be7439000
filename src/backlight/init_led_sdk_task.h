#pragma once
// The start-up task: one attempt to find the vendor software, load the LED library, initialise it
// and select its target devices, on a pool thread, with long waits.
#include "os/signal.h"

namespace backlight {

// Submits one attempt to the thread pool; on the UI thread. The attempt counts as running from
// here (IsLedSdkInitRunning), not only once the pool begins it. False when the pool refused it;
// the attempt then counts as ended now.
bool StartInitLedSdkTask();

// One attempt; the pool thread's entry. Always ends with its stamp and the running flag cleared,
// whatever the library or the vendor software did.
void InitLedSdkTask() noexcept;

// For the exit: ends every wait of the running attempt at once and abandons its status call;
// the attempt then ends without calling into the library again. Lasts until ResetLedState.
void CancelLedSdkTask();
bool IsLedSdkTaskCancelled();
// Forgets a cancel; while no attempt runs (see ResetLedState).
void ResetLedSdkTask();
// Raised by the attempt's last step; lowered when an attempt is submitted.
os::Signal& LedSdkTaskEnded();

}  // namespace backlight
