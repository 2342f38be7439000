#pragma once
// The windows the settings file reads and writes, as plain values.
#include "core/settings_windows.h"

namespace fuzz {

class PlainSettingsWindows : public core::SettingsWindows {
 public:
  os::Rect Main{510, 215, 510 + 900, 215 + 650};
  os::Rect Indicator{960, 5, 960 + 531, 5 + 30};
  bool Switches[4] = {false, true, true, true};

  os::Rect MainWindowBounds() override { return Main; }
  void SetMainWindowLeft(int left) override { Main = Moved(Main, left, Main.Top); }
  void SetMainWindowTop(int top) override { Main = Moved(Main, Main.Left, top); }
  bool MinimizeSwitchChecked(core::MinimizeSwitch which) override {
    return Switches[static_cast<int>(which)];
  }
  void SetMinimizeSwitchChecked(core::MinimizeSwitch which, bool checked) override {
    Switches[static_cast<int>(which)] = checked;
  }
  os::Rect DesktopIndicatorBounds() override { return Indicator; }
  void SetDesktopIndicatorLeft(int left) override {
    Indicator = Moved(Indicator, left, Indicator.Top);
  }
  void SetDesktopIndicatorTop(int top) override {
    Indicator = Moved(Indicator, Indicator.Left, top);
  }

 private:
  // Right and Bottom follow the place as the real windows' do; the sanitizer checks the sums
  // for the range that the settings file lets through.
  static os::Rect Moved(const os::Rect& r, int left, int top) {
    return {left, top, left + r.Width(), top + r.Height()};
  }
};

}  // namespace fuzz
