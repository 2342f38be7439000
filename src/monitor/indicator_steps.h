#pragma once
// The steps of the monitoring pass that write into the indicator windows. Each reads Settings
// afresh and writes every property it owns; the GUI layer makes no system call for a value that
// did not change, so a pass with nothing new costs only its queries.
#include "monitor/pass_values.h"

namespace monitor {

class TfMain;

// Caps Lock and Num Lock on the desktop, mouse and caret indicators and the tray icons; sets
// values.LockChange.
void LockKeysStep(TfMain& main, PassValues& values);
// Shows, places and fills the caret indicator at the foreground window's text caret.
void CaretStep(const PassValues& values);
// Visibility, frame, clock and date panels, colours and width of the desktop indicator.
void DesktopIndicatorStep(const PassValues& values);
// Language, colours and transparency of the mouse indicator (its place belongs to the hook).
void MouseIndicatorStep(const PassValues& values);
// Places, colours, shows and hides the eight border lines.
void BorderStep(const PassValues& values);
// Raises the border lines of a switched-on group to the top of the topmost band.
void BorderTopMostRefresh();

}  // namespace monitor
