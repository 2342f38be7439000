#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/indicator_steps.h"
#include "monitor/main_window.h"
#include "os/system.h"

namespace monitor {
namespace {

// The caret indicator's labels record the state they show by their colour.
constexpr os::TColor kCaretLockOn = os::clBlack;
constexpr os::TColor kCaretLockOff = os::clGray;

template <class Label, class Panel>
void ShowLamp(Label& label, Panel& lamp, bool on, os::TColor onColor, os::TColor offColor) {
  label.SetFontBold(on);
  lamp.SetColor(on ? onColor : offColor);
}

void ShowLock(bool on, ui::Label& desktopLabel, ui::Panel& desktopLamp, ui::Label& mouseLabel,
              ui::Panel& mouseLamp, ui::Label& caretLabel, ui::TrayIcon& icon, int mode,
              PassValues& values) {
  auto& desktop = *fLangInfo;
  auto& mouse = *fLangInfoMouse;
  ShowLamp(desktopLabel, desktopLamp, on, desktop.LedOnColor, desktop.LedOffColor);
  ShowLamp(mouseLabel, mouseLamp, on, mouse.LedOnColor, mouse.LedOffColor);
  const os::TColor caretColor = on ? kCaretLockOn : kCaretLockOff;
  if (caretLabel.GetFont().Color != caretColor) values.LockChange = true;
  caretLabel.SetFontBold(on);
  caretLabel.SetFontColor(caretColor);
  // Image 0 is the off image; 1 to 7 are the on images of modes 0 to 6. A hand-edited mode that
  // no page writes shows no image: never the off image for a lock that is on, and no overflow.
  const bool known = mode >= 0 && mode <= 6;
  if (icon.Visible()) icon.SetIconIndex(on ? (known ? mode + 1 : -1) : 0);
}

}  // namespace

void LockKeysStep(TfMain& main, PassValues& values) {
  auto& sys = os::Sys();
  const auto& s = *core::Settings;
  values.LockChange = false;
  // Only the toggle bit counts: a key held down while its lock is off shows as off.
  const bool caps = sys.KeyToggled(os::kVkCapital);
  ShowLock(caps, fLangInfo->L_CAPS, fLangInfo->Panel_CapsInd, fLangInfoMouse->L_CAPS,
           fLangInfoMouse->Panel_CapsInd, fLangInfoCaret->L_CAPS, main.TrayIcon_CAPS,
           s.SystemTrayIndicator_CapsLockIndicatorMode, values);
  const bool num = sys.KeyToggled(os::kVkNumLock);
  ShowLock(num, fLangInfo->L_NUM, fLangInfo->Panel_NumInd, fLangInfoMouse->L_NUM,
           fLangInfoMouse->Panel_NumInd, fLangInfoCaret->L_NUM, main.TrayIcon_NumLock,
           s.SystemTrayIndicator_NumLockIndicatorMode, values);
}

}  // namespace monitor
