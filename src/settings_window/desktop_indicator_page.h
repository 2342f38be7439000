#pragma once
// The Desktop Indicator page: the desktop indicator's look, its colours and per-language colours.
#include "settings_window/page_layout.h"

namespace settings_window {

class DesktopIndicatorPage {
 public:
  ui::Panel Panel_DesktopIndicator{nullptr};
  ui::Panel PanelSettings_DesktopIndicator{&Panel_DesktopIndicator};
  ui::Panel PanelBottom_DesktopIndicator{&Panel_DesktopIndicator};
  ui::TreeList vstLang_DesktopIndicator{&Panel_DesktopIndicator};
  ui::FlatButton btnDesktopIndicatorReset{&PanelBottom_DesktopIndicator};
  ui::Label L_Preview1{&PanelBottom_DesktopIndicator};

  // In the order the page is filled.
  ui::NumberBox edBorderWidth{&PanelSettings_DesktopIndicator};
  ui::Switch swShowTime{&PanelSettings_DesktopIndicator};
  ui::Switch swShowDate{&PanelSettings_DesktopIndicator};
  ui::Switch swShowDesktopIndicator{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Time_Font{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Time_Background{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Date_Font{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Date_Background{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Led_Off{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Led_On{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Main_Font{&PanelSettings_DesktopIndicator};
  ui::ColorButton btnColor_Main_Background{&PanelSettings_DesktopIndicator};
  ui::Switch swColorsByLang{&PanelSettings_DesktopIndicator};
  ui::Switch swTransparent{&PanelSettings_DesktopIndicator};
  ui::NumberBox edTransparent{&PanelSettings_DesktopIndicator};

  ui::Label L_ShowDesktopIndicator{&PanelSettings_DesktopIndicator};
  ui::Label L_BorderWidth_0_3{&PanelSettings_DesktopIndicator};
  ui::Label L_Transparent_100_255{&PanelSettings_DesktopIndicator};
  ui::Label L_Show_Time{&PanelSettings_DesktopIndicator};
  ui::Label L_Show_Date{&PanelSettings_DesktopIndicator};
  ui::Label L_CAPS_NUM_LedColor{&PanelSettings_DesktopIndicator};
  ui::Label L_Off{&PanelSettings_DesktopIndicator};
  ui::Label L_On{&PanelSettings_DesktopIndicator};
  ui::Label L_FontColor{&PanelSettings_DesktopIndicator};
  ui::Label L_BackgroundColor{&PanelSettings_DesktopIndicator};
  ui::Label L_FontColor2{&PanelSettings_DesktopIndicator};
  ui::Label L_BackgroundColor2{&PanelSettings_DesktopIndicator};
  ui::Label L_MainColors{&PanelSettings_DesktopIndicator};
  ui::Label L_FontColor3{&PanelSettings_DesktopIndicator};
  ui::Label L_BackgroundColor3{&PanelSettings_DesktopIndicator};
  ui::Label L_ColorsByLang{&PanelSettings_DesktopIndicator};

  void edBorderWidthChangeValue();
  void swShowTimeClick();
  void btnColor_Time_FontChange();
  void btnColor_Time_FontClick(ui::ColorButton& button);
  void btnDesktopIndicatorResetClick();

 protected:
  void LayoutDesktopIndicatorPage(const PxFn& px);
};

}  // namespace settings_window
