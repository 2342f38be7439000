#pragma once
// What the settings file reads from and writes into the windows: the main window's place and its
// four minimise switches, and the desktop indicator's place.
#include "os/types.h"

namespace core {

enum class MinimizeSwitch { OnStart, OnClose, ToTray, OnEsc };

class SettingsWindows {
 public:
  virtual ~SettingsWindows() = default;

  // The main window's bounds; while it is minimised, the bounds it is restored to.
  virtual os::Rect MainWindowBounds() = 0;
  virtual void SetMainWindowLeft(int left) = 0;
  virtual void SetMainWindowTop(int top) = 0;

  virtual bool MinimizeSwitchChecked(MinimizeSwitch which) = 0;
  virtual void SetMinimizeSwitchChecked(MinimizeSwitch which, bool checked) = 0;

  virtual os::Rect DesktopIndicatorBounds() = 0;
  virtual void SetDesktopIndicatorLeft(int left) = 0;
  virtual void SetDesktopIndicatorTop(int top) = 0;
};

}  // namespace core
