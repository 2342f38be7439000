#pragma once
// How the start-up task reaches the RGB Keyboard Lighting page's status label: a synchronous
// call onto the UI thread, which the exit can abandon.
#include <functional>
#include <string>

#include "os/signal.h"

namespace backlight {

// Runs fn on the UI thread and waits for it; gives up without running it when `abandon` is
// raised first. True when it ran.
using UiDispatcher = std::function<bool(const std::function<void()>& fn, os::Signal& abandon)>;
// Shows a text in the status label; runs on the UI thread.
using StatusSink = std::function<void(const std::wstring& text)>;

// None: the application's own synchronous call.
void SetUiDispatcher(UiDispatcher dispatcher);
// The page that owns the label sets this; none: the texts go nowhere.
void SetStatusSink(StatusSink sink);

// On the UI thread, before a task may call: the application's call needs its utility window.
void PrepareUiDispatcher();
// From the task: looks the text up and shows it on the UI thread, waiting until it is shown.
// False when the call was abandoned.
bool ShowStatus(const std::function<std::wstring()>& text, os::Signal& abandon);

}  // namespace backlight
