#include "settings_window/caret_indicator_page.h"

#include "core/common.h"
#include "settings_window/page_saving.h"

namespace settings_window {

void CaretIndicatorPage::LayoutCaretIndicatorPage(const PxFn& px) {
  MakePage(Panel_CaretIndicator, px);
  MakeSettingsPanel(PanelSettings_CaretIndicator, 189, px);
  MakeResetBar(PanelBottom_CaretIndicator, SpeedButton5, px);
  MakeLanguageTree(vstLang_CaretIndicator, 240, L"Font Color", L"Background Color", px);
  PlaceLabel(L_Preview3, 110, 6, 60, px);
  L_Preview3.SetAlignment(DT_RIGHT | DT_VCENTER);
  edTest_CaretIndicator.SetFont(PageFont(px));
  edTest_CaretIndicator.SetBounds(px(176), px(4), px(300), px(22));

  PlaceSwitch(swShowCaretIndicator, &L_ShowCaretIndicator, 5, 14, px, 180);
  PlaceSwitch(swCaretIndicatorAutoHide, &L_Caret_AutoHide, 5, 45, px, 180);
  PlaceNumberBox(edCaretIndicatorAutoHideValue, 85, 68, 100, 1, 10, px);
  PlaceSwitch(swCaretIndicatorTransparent, &L_Caret_Transparent, 5, 96, px, 180);
  PlaceNumberBox(edCaretIndicatorTransparentValue, 85, 118, 100, 100, 255, px);
  PlaceSwitch(swColorsByLang_CaretIndicator, &L_ColorsByLang_CaretIndicator, 6, 159, px, 300);

  PlaceSwitch(swShowCaretIndicatorCapsNum, &L_Caret_ShowCapsNum, 244, 14, px, 300);
  PlaceSwitch(swCaretIndicatorDrawBlackBorder, &L_DrawBorder, 244, 45, px, 150);
  PlaceLabel(L_MainColors6, 245, 75, 166, px, 18, true);
  L_MainColors6.SetAlignment(DT_RIGHT);
  PlaceColorButton(btnColor_CaretIndicator_Main_Font, &L_FontColor6, 361, 95, px);
  PlaceColorButton(btnColor_CaretIndicator_Main_Background, &L_BackgroundColor6, 361, 119, px);

  cbCaretIndicatorPosition.SetFont(PageFont(px));
  cbCaretIndicatorPosition.SetBounds(px(446), px(67), px(150), px(110));
  cbCaretIndicatorPosition.SetCaption(L" Position ");
  cbCaretIndicatorPosition.SetItems({L"Top Left", L"Top Right", L"Bottom Left", L"Bottom Right"});

  edCaretIndicatorAutoHideValue.OnChangeValue = [this] { edCaretIndicatorAutoHideValueChangeValue(); };
  edCaretIndicatorTransparentValue.OnChangeValue = [this] {
    edCaretIndicatorAutoHideValueChangeValue();
  };
  for (ui::Switch* sw : {&swShowCaretIndicator, &swCaretIndicatorAutoHide,
                         &swCaretIndicatorTransparent, &swShowCaretIndicatorCapsNum,
                         &swCaretIndicatorDrawBlackBorder}) {
    sw->OnClick = [this] { swShowCaretIndicatorClick(); };
  }
  swColorsByLang_CaretIndicator.OnClick = [this] { swColorsByLang_CaretIndicatorClick(); };
  for (ui::ColorButton* b :
       {&btnColor_CaretIndicator_Main_Font, &btnColor_CaretIndicator_Main_Background}) {
    b->OnChange = [this] { btnColor_CaretIndicator_Main_FontChange(); };
    b->OnClick = [this, b] { btnColor_CaretIndicator_Main_FontClick(*b); };
  }
  cbCaretIndicatorPosition.OnClick = [this] { cbCaretIndicatorPositionClick(); };
  SpeedButton5.OnClick = [this] { btnCaretIndicatorResetClick(); };
}

void CaretIndicatorPage::edCaretIndicatorAutoHideValueChangeValue() {
  if (core::IsFillingCaretIndicator) return;
  SavePages();
}

void CaretIndicatorPage::swShowCaretIndicatorClick() {
  if (core::IsFillingCaretIndicator) return;
  SavePages();
}

void CaretIndicatorPage::swColorsByLang_CaretIndicatorClick() {
  if (core::IsFillingCaretIndicator) return;
  SavePages();
}

void CaretIndicatorPage::btnColor_CaretIndicator_Main_FontChange() {
  if (core::IsFillingCaretIndicator) return;
  SavePages();
}

void CaretIndicatorPage::cbCaretIndicatorPositionClick() {
  if (core::IsStarting || core::IsFillingCaretIndicator) return;
  SavePages();
}

void CaretIndicatorPage::btnColor_CaretIndicator_Main_FontClick(ui::ColorButton& button) {
  ChooseColorAndSave(button);
}

void CaretIndicatorPage::btnCaretIndicatorResetClick() {
  // The defaults of a new settings object, in the page's order.
  const core::TSettings defaults;
  swShowCaretIndicator.SetChecked(defaults.CaretIndicator_IsShow);
  swShowCaretIndicatorCapsNum.SetChecked(defaults.CaretIndicator_IsShowCapsNum);
  swCaretIndicatorAutoHide.SetChecked(defaults.CaretIndicator_IsAutoHide);
  edCaretIndicatorAutoHideValue.SetValueInt(defaults.CaretIndicator_AutoHideSec);
  swCaretIndicatorTransparent.SetChecked(defaults.CaretIndicator_IsTransparent);
  edCaretIndicatorTransparentValue.SetValueInt(defaults.CaretIndicator_TransparentValue);
  cbCaretIndicatorPosition.SetItemIndex(defaults.CaretIndicator_Positon);
  swColorsByLang_CaretIndicator.SetChecked(defaults.CaretIndicator_IsColorsByLang);
  btnColor_CaretIndicator_Main_Font.SetSelectionColor(defaults.CaretIndicator_Color_Main_Font);
  btnColor_CaretIndicator_Main_Background.SetSelectionColor(
      defaults.CaretIndicator_Color_Main_Background);
  swCaretIndicatorDrawBlackBorder.SetChecked(defaults.CaretIndicator_IsDrawBlackBorder);
  if (core::IsFillingCaretIndicator) return;
  SavePages();
}

}  // namespace settings_window
