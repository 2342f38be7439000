#pragma once
// The Caret Indicator page: the indicator beside the text caret, its colours and place.
#include "settings_window/page_layout.h"
#include "ui/edit.h"
#include "ui/radio_group.h"

namespace settings_window {

class CaretIndicatorPage {
 public:
  ui::Panel Panel_CaretIndicator{nullptr};
  ui::Panel PanelSettings_CaretIndicator{&Panel_CaretIndicator};
  ui::Panel PanelBottom_CaretIndicator{&Panel_CaretIndicator};
  ui::TreeList vstLang_CaretIndicator{&Panel_CaretIndicator};
  ui::FlatButton SpeedButton5{&PanelBottom_CaretIndicator};  // the page's Reset
  ui::Label L_Preview3{&PanelBottom_CaretIndicator};
  ui::Edit edTest_CaretIndicator{&PanelBottom_CaretIndicator};

  // In the order the page is filled.
  ui::Switch swShowCaretIndicator{&PanelSettings_CaretIndicator};
  ui::Switch swShowCaretIndicatorCapsNum{&PanelSettings_CaretIndicator};
  ui::Switch swCaretIndicatorAutoHide{&PanelSettings_CaretIndicator};
  ui::NumberBox edCaretIndicatorAutoHideValue{&PanelSettings_CaretIndicator};
  ui::Switch swCaretIndicatorTransparent{&PanelSettings_CaretIndicator};
  ui::NumberBox edCaretIndicatorTransparentValue{&PanelSettings_CaretIndicator};
  ui::RadioGroup cbCaretIndicatorPosition{&PanelSettings_CaretIndicator};
  ui::Switch swColorsByLang_CaretIndicator{&PanelSettings_CaretIndicator};
  ui::ColorButton btnColor_CaretIndicator_Main_Font{&PanelSettings_CaretIndicator};
  ui::ColorButton btnColor_CaretIndicator_Main_Background{&PanelSettings_CaretIndicator};
  ui::Switch swCaretIndicatorDrawBlackBorder{&PanelSettings_CaretIndicator};

  ui::Label L_ShowCaretIndicator{&PanelSettings_CaretIndicator};
  ui::Label L_Caret_ShowCapsNum{&PanelSettings_CaretIndicator};
  ui::Label L_Caret_AutoHide{&PanelSettings_CaretIndicator};
  ui::Label L_Caret_Transparent{&PanelSettings_CaretIndicator};
  ui::Label L_DrawBorder{&PanelSettings_CaretIndicator};
  ui::Label L_MainColors6{&PanelSettings_CaretIndicator};
  ui::Label L_FontColor6{&PanelSettings_CaretIndicator};
  ui::Label L_BackgroundColor6{&PanelSettings_CaretIndicator};
  ui::Label L_ColorsByLang_CaretIndicator{&PanelSettings_CaretIndicator};

  void edCaretIndicatorAutoHideValueChangeValue();
  void swShowCaretIndicatorClick();
  void swColorsByLang_CaretIndicatorClick();
  void btnColor_CaretIndicator_Main_FontChange();
  void cbCaretIndicatorPositionClick();
  void btnColor_CaretIndicator_Main_FontClick(ui::ColorButton& button);
  // Puts the caret indicator's own settings back to their defaults; the language rows stay.
  void btnCaretIndicatorResetClick();

 protected:
  void LayoutCaretIndicatorPage(const PxFn& px);
};

}  // namespace settings_window
