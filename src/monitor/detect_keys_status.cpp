// The monitoring pass: reads the foreground window's layout and the lock keys and brings every
// indicator up to date, in a fixed order.
#include <set>

#include "backlight/keyboard_step.h"
#include "core/common.h"
#include "monitor/foreground.h"
#include "monitor/globals.h"
#include "monitor/indicator_steps.h"
#include "monitor/main_window.h"
#include "monitor/mouse_hook.h"
#include "os/error.h"
#include "os/system.h"
#include "os/text.h"
#include "tray/data_module.h"
#include "ui/application.h"

namespace monitor {

double ElapsedSeconds(std::int64_t from, std::int64_t to) {
  return static_cast<double>(to - from) / static_cast<double>(core::PerfFrequency);
}

namespace {

// The pass runs up to 20 times a second: the same failure must not bury the user in boxes.
std::wstring CurrentExceptionText() {
  try {
    throw;
  } catch (const os::Error& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return os::Utf8ToWide(e.what());
  } catch (...) {
    return L"An unknown error occurred.";
  }
}

}  // namespace

void TfMain::DetectKeysStatus() {
  // A pass started inside another (a message box, a nested message loop) would work on windows
  // the outer pass is halfway through.
  if (m_inPass) return;
  m_inPass = true;
  try {
    RunPass();
  } catch (...) {
    if (m_reportedPassErrors.insert(CurrentExceptionText()).second) ui::App().HandleException();
  }
  m_inPass = false;
}

void TfMain::RunPass() {
  using namespace core;
  auto& sys = os::Sys();

  NowStamp = sys.PerformanceCounter();
  if (ElapsedSeconds(LastPassStamp, NowStamp) < 0.05) return;
  LastPassStamp = NowStamp;
  WatchMouseHook(NowStamp);

  if (!Settings || !fLangInfo || !fLangInfoMouse || !fLangInfoCaret) return;
  fLangInfoMouse->SetVisible(Settings->MouseIndicator_IsShow);

  PassValues values;
  std::wstring languageDisplayName, countryAbbrev, languageAbbrev;
  GetForegroundLayoutInfo(values.LanguageName, languageDisplayName, countryAbbrev,
                          values.CountryCode, languageAbbrev);
  // No foreground window or no country: every indicator keeps what it shows.
  if (values.CountryCode.empty()) return;

  values.FlagIndex = tray::DM != nullptr ? tray::DM->IL_Flag25.FindIndexByName(values.CountryCode)
                                         : -1;

  TrayIcon.SetIconIndex(values.FlagIndex);
  TrayIcon_CAPS.SetVisible(Settings->SystemTrayIndicator_IsShowCapsLockIndicator);
  TrayIcon_NumLock.SetVisible(Settings->SystemTrayIndicator_IsShowNumLockIndicator);

  LockKeysStep(*this, values);
  CaretStep(values);
  DesktopIndicatorStep(values);
  backlight::KeyboardStep(values.CountryCode, core::NowStamp);
  MouseIndicatorStep(values);
  BorderStep(values);
  UpdateDesktopBorderPreview();
  HotKeysStep();
  BorderTopMostRefresh();
}

namespace {

// A chord's copy is not repeated within 300 ms of its end (the copy's message box may stay open
// for long), so that a chord held down does not copy on every pass. The UI thread never sleeps
// here: the mouse hook runs on it, and a hook that does not answer in time is removed by the
// system.
template <class Copy>
void CopyHeldOff(std::optional<std::int64_t>& lastCopyEnd, Copy copy) {
  auto& sys = os::Sys();
  const std::int64_t start = sys.PerformanceCounter();
  if (lastCopyEnd && ElapsedSeconds(*lastCopyEnd, start) < 0.3) return;
  // Set before the copy as well: a copy that fails is not tried again on every pass either.
  lastCopyEnd = start;
  copy();
  lastCopyEnd = sys.PerformanceCounter();
}

}  // namespace

void TfMain::HotKeysStep() {
  using namespace core;
  auto& sys = os::Sys();
  if (sys.KeyDown(os::kVkLShift) && sys.KeyDown(os::kVkRShift)) {
    CopyHeldOff(m_shiftCopyStamp, [this] { CopyPointerInfoToExcludeLists(); });
  }
  if (sys.KeyDown(os::kVkLMenu) && sys.KeyDown(os::kVkRMenu)) {
    CopyHeldOff(m_altCopyStamp, [this] { CopyAppNameToCaretExcludeList(); });
  }
  if (sys.KeyDown(os::kVkMenu) && sys.KeyDown(os::kVkPause)) {
    NowStamp = sys.PerformanceCounter();
    if (ElapsedSeconds(LastToggleStamp, NowStamp) > 0.5) {
      // Only the flag: the indicators follow it from the next pass on.
      IsEnabled_AllIndicator = !IsEnabled_AllIndicator;
      LastToggleStamp = sys.PerformanceCounter();
    }
  }
}

}  // namespace monitor
