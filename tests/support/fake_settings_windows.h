#pragma once
// The windows the settings file reads and writes, as plain values.
#include <map>

#include "core/settings_windows.h"

namespace testing_support {

class FakeSettingsWindows : public core::SettingsWindows {
 public:
  os::Rect Main{100, 100, 1000, 750};  // 900 x 650
  std::map<core::MinimizeSwitch, bool> Switches{{core::MinimizeSwitch::OnStart, false},
                                                {core::MinimizeSwitch::OnClose, true},
                                                {core::MinimizeSwitch::ToTray, true},
                                                {core::MinimizeSwitch::OnEsc, true}};
  os::Rect Indicator{960, 5, 960 + 531, 5 + 30};  // design width, created height

  os::Rect MainWindowBounds() override { return Main; }
  void SetMainWindowLeft(int left) override { Main = Moved(Main, left, Main.Top); }
  void SetMainWindowTop(int top) override { Main = Moved(Main, Main.Left, top); }
  bool MinimizeSwitchChecked(core::MinimizeSwitch which) override { return Switches[which]; }
  void SetMinimizeSwitchChecked(core::MinimizeSwitch which, bool checked) override {
    Switches[which] = checked;
  }
  os::Rect DesktopIndicatorBounds() override { return Indicator; }
  void SetDesktopIndicatorLeft(int left) override { Indicator = Moved(Indicator, left, Indicator.Top); }
  void SetDesktopIndicatorTop(int top) override { Indicator = Moved(Indicator, Indicator.Left, top); }

 private:
  static os::Rect Moved(const os::Rect& r, int left, int top) {
    return {left, top, left + r.Width(), top + r.Height()};
  }
};

}  // namespace testing_support
