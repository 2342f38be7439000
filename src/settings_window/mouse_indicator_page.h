#pragma once
// The Mouse Indicator page: the indicator beside the pointer, its colours and per-language colours.
#include "settings_window/page_layout.h"

namespace settings_window {

class MouseIndicatorPage {
 public:
  ui::Panel Panel_MouseIndicator{nullptr};
  ui::Panel PanelSettings_MouseIndicator{&Panel_MouseIndicator};
  ui::Panel PanelBottom_MouseIndicator{&Panel_MouseIndicator};
  ui::TreeList vstLang_MouseIndicator{&Panel_MouseIndicator};
  ui::FlatButton btnMouseIndicatorReset{&PanelBottom_MouseIndicator};
  ui::Label L_Preview2{&PanelBottom_MouseIndicator};

  // In the order the page is filled.
  ui::Switch swShowMouseIndicator{&PanelSettings_MouseIndicator};
  ui::Switch swMouseIndicatorAutoHide{&PanelSettings_MouseIndicator};
  ui::NumberBox edMouseIndicatorAutoHideSec{&PanelSettings_MouseIndicator};
  ui::Switch swShowTime_MouseIndicator{&PanelSettings_MouseIndicator};
  ui::Switch swShowCapsNum_MouseIndicator{&PanelSettings_MouseIndicator};
  ui::ColorButton btnColor_MouseIndicator_Led_Off{&PanelSettings_MouseIndicator};
  ui::ColorButton btnColor_MouseIndicator_Led_On{&PanelSettings_MouseIndicator};
  ui::ColorButton btnColor_MouseIndicator_Main_Font{&PanelSettings_MouseIndicator};
  ui::ColorButton btnColor_MouseIndicator_Main_Background{&PanelSettings_MouseIndicator};
  ui::ColorButton btnColor_MouseIndicator_Time_Font{&PanelSettings_MouseIndicator};
  ui::ColorButton btnColor_MouseIndicator_Time_Background{&PanelSettings_MouseIndicator};
  ui::Switch swShowWinInfo_MouseIndicator{&PanelSettings_MouseIndicator};
  ui::Switch swTransparent_MouseIndicator{&PanelSettings_MouseIndicator};
  ui::NumberBox edTransparent_MouseIndicator{&PanelSettings_MouseIndicator};
  ui::Switch swColorsByLang_MouseIndicator{&PanelSettings_MouseIndicator};

  ui::Label L_ShowMouseIndicator{&PanelSettings_MouseIndicator};
  ui::Label L_MouseInfoAutoHideSec{&PanelSettings_MouseIndicator};
  ui::Label L_Transparent_100_255_Mouse{&PanelSettings_MouseIndicator};
  ui::Label L_Mouse_Show_Time{&PanelSettings_MouseIndicator};
  ui::Label L_Mouse_ShowWindowClass{&PanelSettings_MouseIndicator};
  ui::Label L_Mouse_Show_CapsNum{&PanelSettings_MouseIndicator};
  ui::Label L_LedColorOff{&PanelSettings_MouseIndicator};
  ui::Label L_LedColorOn{&PanelSettings_MouseIndicator};
  ui::Label L_FontColor4{&PanelSettings_MouseIndicator};
  ui::Label L_BackgroundColor4{&PanelSettings_MouseIndicator};
  ui::Label L_MainColors5{&PanelSettings_MouseIndicator};
  ui::Label L_FontColor5{&PanelSettings_MouseIndicator};
  ui::Label L_BackgroundColor5{&PanelSettings_MouseIndicator};
  ui::Label L_ColorsByLang_MouseIndicator{&PanelSettings_MouseIndicator};

  void edMouseIndicatorAutoHideSecChangeValue();
  void swShowMouseIndicatorClick();
  void btnColor_MouseIndicator_Time_FontChange();
  void btnColor_MouseIndicator_Main_FontChange();
  void btnColor_MouseIndicator_Time_BackgroundClick(ui::ColorButton& button);
  void btnMouseIndicatorResetClick();

 protected:
  void LayoutMouseIndicatorPage(const PxFn& px);
};

}  // namespace settings_window
