#pragma once
// The RGB Keyboard Lighting page: the keyboard backlight switch, its status and colours.
#include "settings_window/page_layout.h"

namespace settings_window {

class RgbLightingPage {
 public:
  RgbLightingPage() = default;
  RgbLightingPage(const RgbLightingPage&) = delete;
  RgbLightingPage& operator=(const RgbLightingPage&) = delete;
  // The backlight's status texts stop reaching the label before it goes.
  ~RgbLightingPage();

  ui::Panel Panel_RGBLighting{nullptr};
  ui::Panel PanelSettings_RGB{&Panel_RGBLighting};
  ui::TreeList vstLang_RGB{&Panel_RGBLighting};

  ui::Switch swChangeRGB_KeyboardLogitech{&PanelSettings_RGB};
  ui::Label L_ChangeRGB_KeyboardLogitech{&PanelSettings_RGB};
  ui::Label L_ChangeRGB_KeyboardLogitech2{&PanelSettings_RGB};
  ui::Label L_ChangeRGB_KeyboardLogitech3{&PanelSettings_RGB};
  ui::Label L_LogitechSDK{&PanelSettings_RGB};  // the backlight library's status

  void swChangeRGB_KeyboardLogitechClick();

 protected:
  void LayoutRgbLightingPage(const PxFn& px);
};

}  // namespace settings_window
