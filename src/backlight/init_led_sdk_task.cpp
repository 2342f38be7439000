#include "backlight/init_led_sdk_task.h"

#include <optional>
#include <string>

#include "backlight/led_state.h"
#include "backlight/lg_hub.h"
#include "backlight/logitech_led_lib.h"
#include "backlight/status_label.h"
#include "core/common.h"
#include "os/system.h"

namespace backlight {
namespace {

// Lives for the whole program: an abandoned status call may still sit in the UI thread's queue.
os::Signal g_cancel;
os::Signal g_ended;

constexpr int kTargetDeviceAll = 7;
constexpr wchar_t kLGHubWindowTitle[] = L"Logitech\u00A0G\u00A0HUB";

// The attempt stops here: the exit cancelled it, or the UI thread unloaded the library under it.
struct AttemptStopped {};

void Wait(unsigned milliseconds) {
  if (os::Sys().WaitForSignal(g_cancel, milliseconds)) throw AttemptStopped{};
}

// The result of a library call that was made; a call that an unload prevented stops the attempt.
bool Made(std::optional<bool> result) {
  if (!result) throw AttemptStopped{};
  return *result;
}

void Show(const std::function<std::wstring()>& text) {
  if (g_cancel.IsSet() || (!ShowStatus(text, g_cancel) && g_cancel.IsSet())) throw AttemptStopped{};
}

// Text 255, ": " and the version as major.minor.build.
std::wstring VersionText(int major, int minor, int build) {
  return core::GetLangText(255) + L": " + std::to_wstring(major) + L"." + std::to_wstring(minor) +
         L"." + std::to_wstring(build);
}

// Waits for the vendor software, or starts it, and loads the library once it runs.
void LoadPhase(LogitechLedLib::Epoch epoch, bool& loadedHere) {
  LogitechLedLib& lib = LedLib();
  if (IsLGHubRunning()) {
    Wait(4000);
    loadedHere = true;  // from here on a load that raises has left a partial library behind
    if (!Made(lib.LoadLogiLedLib(epoch))) {
      loadedHere = false;
      return;
    }
    Wait(6000);
    if (lib.IsUsable(epoch)) lib.SetWhileCurrent(epoch, IsLedSdkLoaded);
  } else if (core::LGHubCheckCount <= 2) {
    Wait(3000);
  } else if (!core::LGHubStarted) {
    StartLGHub(Wait);
    Wait(8000);
  }
}

void InitPhase(LogitechLedLib::Epoch epoch) {
  LogitechLedLib& lib = LedLib();
  if (!IsLGHubRunning()) {
    Wait(3000);
    return;
  }
  Wait(6000);
  if (!Made(lib.InitWithName(epoch))) {
    Show([] { return core::GetLangText(254); });
    lib.Shutdown(epoch);
    IsLedSdkInitialized = false;
    Wait(1000);
    return;
  }
  Wait(2000);
  int major = 0, minor = 0, build = 0;
  if (!Made(lib.GetSdkVersion(epoch, major, minor, build))) return;
  Show([=] { return VersionText(major, minor, build); });
  if (Made(lib.SetTargetDevice(epoch, kTargetDeviceAll))) {
    lib.SetWhileCurrent(epoch, IsLedSdkInitialized);
    Wait(500);
  }
  // The vendor software opens its window when it starts; the user asked for the backlight,
  // not for that window.
  if (const os::WindowId window = os::Sys().FindTopLevelWindowByTitle(kLGHubWindowTitle)) {
    os::Sys().PostCloseMessage(window);
  }
}

}  // namespace

bool StartInitLedSdkTask() {
  PrepareUiDispatcher();
  g_ended.Reset();
  IsLedSdkInitRunning = true;
  if (os::Sys().SubmitToThreadPool(InitLedSdkTask)) return true;
  LastLedSdkAttemptStamp = os::Sys().PerformanceCounter();
  IsLedSdkInitRunning = false;
  g_ended.Set();
  return false;
}

void InitLedSdkTask() noexcept {
  IsLedSdkInitRunning = true;
  LogitechLedLib& lib = LedLib();
  const LogitechLedLib::Epoch epoch = lib.CurrentEpoch();
  bool loadedHere = false;
  try {
    Show([] { return core::GetLangText(253); });
    if (!IsLedSdkLoaded && !lib.IsLoaded()) LoadPhase(epoch, loadedHere);
    if (IsLedSdkLoaded && !IsLedSdkInitialized) InitPhase(epoch);
  } catch (const AttemptStopped&) {
    // The exit or an unload ended it; the library is the UI thread's to unload now.
  } catch (...) {
    // A broken library (an entry point missing): unloaded again, so that the next attempt
    // loads afresh instead of finding a library that can never be used.
    if (loadedHere && !IsLedSdkLoaded) lib.UnloadIfCurrent(epoch);
  }
  LastLedSdkAttemptStamp = os::Sys().PerformanceCounter();
  IsLedSdkInitRunning = false;
  g_ended.Set();
}

void CancelLedSdkTask() { g_cancel.Set(); }
bool IsLedSdkTaskCancelled() { return g_cancel.IsSet(); }
os::Signal& LedSdkTaskEnded() { return g_ended; }

void ResetLedSdkTask() {
  g_cancel.Reset();
  g_ended.Set();
}

}  // namespace backlight
