#pragma once
// The System Tray Indicator page: the Caps Lock and Num Lock icons and their modes.
#include <memory>
#include <vector>

#include "settings_window/page_layout.h"
#include "ui/image_label.h"
#include "ui/radio_group.h"

namespace settings_window {

class SystemTrayPage {
 public:
  ui::Panel Panel_SystemTrayIndicator{nullptr};
  ui::Panel PanelBottom_SystemTray{&Panel_SystemTrayIndicator};
  ui::FlatButton btnSystemTrayIndicatorReset{&PanelBottom_SystemTray};

  // In the order the page is filled.
  ui::Switch sw_TrayShowCapsLockIndicator{&Panel_SystemTrayIndicator};
  ui::Switch sw_TrayShowNumLockIndicator{&Panel_SystemTrayIndicator};
  ui::RadioGroup grTray_CAPS_Mode{&Panel_SystemTrayIndicator};
  ui::RadioGroup grTray_NumLock_Mode{&Panel_SystemTrayIndicator};

  ui::Label L_ShowCapsLockIndicator{&Panel_SystemTrayIndicator};
  ui::Label L_ShowNumLockIndicator{&Panel_SystemTrayIndicator};
  // Beside each mode its "off" and its "on" image: [mode][0] off, [mode][1] on.
  std::vector<std::unique_ptr<ui::ImageLabel>> CapsModeImages;
  std::vector<std::unique_ptr<ui::ImageLabel>> NumLockModeImages;

  void sw_TrayShowCapsLockIndicatorClick();
  void btnSystemTrayIndicatorResetClick();

 protected:
  void LayoutSystemTrayPage(const PxFn& px, const ui::ImageSource& capsImages,
                            const ui::ImageSource& numLockImages);
};

}  // namespace settings_window
