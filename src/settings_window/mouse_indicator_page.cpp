#include "settings_window/mouse_indicator_page.h"

#include "core/common.h"
#include "settings_window/page_saving.h"

namespace settings_window {

void MouseIndicatorPage::LayoutMouseIndicatorPage(const PxFn& px) {
  MakePage(Panel_MouseIndicator, px);
  MakeSettingsPanel(PanelSettings_MouseIndicator, 200, px);
  MakeResetBar(PanelBottom_MouseIndicator, btnMouseIndicatorReset, px);
  MakeLanguageTree(vstLang_MouseIndicator, 240, L"Font Color", L"Background Color", px);
  PlaceLabel(L_Preview2, 110, 6, 100, px);
  // This page's preview is the mouse indicator itself.
  L_Preview2.SetVisible(false);

  PlaceSwitch(swShowMouseIndicator, &L_ShowMouseIndicator, 5, 14, px, 180);
  PlaceSwitch(swMouseIndicatorAutoHide, &L_MouseInfoAutoHideSec, 5, 56, px, 172);
  PlaceNumberBox(edMouseIndicatorAutoHideSec, 85, 79, 100, 1, 10, px);
  PlaceSwitch(swTransparent_MouseIndicator, &L_Transparent_100_255_Mouse, 5, 113, px, 180);
  PlaceNumberBox(edTransparent_MouseIndicator, 85, 135, 100, 100, 255, px);
  PlaceSwitch(swColorsByLang_MouseIndicator, &L_ColorsByLang_MouseIndicator, 5, 168, px, 300);

  PlaceSwitch(swShowTime_MouseIndicator, &L_Mouse_Show_Time, 242, 14, px, 150);
  PlaceColorButton(btnColor_MouseIndicator_Time_Font, &L_FontColor4, 353, 34, px, 114);
  PlaceColorButton(btnColor_MouseIndicator_Time_Background, &L_BackgroundColor4, 353, 58, px,
                   114);
  // Wrapped within the room left of the main colours' labels: three lines of the page's font.
  PlaceSwitch(swShowWinInfo_MouseIndicator, &L_Mouse_ShowWindowClass, 242, 113, px, 144);
  L_Mouse_ShowWindowClass.SetHeight(px(51));
  L_Mouse_ShowWindowClass.SetWordWrap(true);
  L_Mouse_ShowWindowClass.SetAlignment(DT_LEFT);

  PlaceSwitch(swShowCapsNum_MouseIndicator, &L_Mouse_Show_CapsNum, 453, 14, px, 160);
  PlaceColorButton(btnColor_MouseIndicator_Led_Off, &L_LedColorOff, 566, 34, px);
  PlaceColorButton(btnColor_MouseIndicator_Led_On, &L_LedColorOn, 566, 58, px);
  PlaceLabel(L_MainColors5, 440, 89, 176, px, 18, true);
  L_MainColors5.SetAlignment(DT_RIGHT);
  PlaceColorButton(btnColor_MouseIndicator_Main_Font, &L_FontColor5, 566, 109, px);
  PlaceColorButton(btnColor_MouseIndicator_Main_Background, &L_BackgroundColor5, 566, 133, px);

  edMouseIndicatorAutoHideSec.OnChangeValue = [this] { edMouseIndicatorAutoHideSecChangeValue(); };
  edTransparent_MouseIndicator.OnChangeValue = [this] { edMouseIndicatorAutoHideSecChangeValue(); };
  for (ui::Switch* sw : {&swShowMouseIndicator, &swMouseIndicatorAutoHide,
                         &swShowTime_MouseIndicator, &swTransparent_MouseIndicator,
                         &swColorsByLang_MouseIndicator, &swShowWinInfo_MouseIndicator,
                         &swShowCapsNum_MouseIndicator}) {
    sw->OnClick = [this] { swShowMouseIndicatorClick(); };
  }
  for (ui::ColorButton* b : {&btnColor_MouseIndicator_Time_Font,
                             &btnColor_MouseIndicator_Time_Background,
                             &btnColor_MouseIndicator_Led_Off, &btnColor_MouseIndicator_Led_On,
                             &btnColor_MouseIndicator_Main_Background}) {
    b->OnChange = [this] { btnColor_MouseIndicator_Time_FontChange(); };
  }
  btnColor_MouseIndicator_Main_Font.OnChange = [this] { btnColor_MouseIndicator_Main_FontChange(); };
  for (ui::ColorButton* b : {&btnColor_MouseIndicator_Time_Font,
                             &btnColor_MouseIndicator_Time_Background,
                             &btnColor_MouseIndicator_Led_Off, &btnColor_MouseIndicator_Led_On,
                             &btnColor_MouseIndicator_Main_Font,
                             &btnColor_MouseIndicator_Main_Background}) {
    b->OnClick = [this, b] { btnColor_MouseIndicator_Time_BackgroundClick(*b); };
  }
  btnMouseIndicatorReset.OnClick = [this] { btnMouseIndicatorResetClick(); };
}

void MouseIndicatorPage::edMouseIndicatorAutoHideSecChangeValue() {
  if (core::IsFillingMouseIndicator) return;
  SavePages();
}

void MouseIndicatorPage::swShowMouseIndicatorClick() {
  if (core::IsFillingMouseIndicator) return;
  SavePages();
}

void MouseIndicatorPage::btnColor_MouseIndicator_Time_FontChange() {
  if (core::IsFillingMouseIndicator) return;
  SavePages();
}

void MouseIndicatorPage::btnColor_MouseIndicator_Main_FontChange() {
  if (core::IsFillingMouseIndicator) return;
  SavePages();
}

void MouseIndicatorPage::btnColor_MouseIndicator_Time_BackgroundClick(ui::ColorButton& button) {
  ChooseColorAndSave(button);
}

void MouseIndicatorPage::btnMouseIndicatorResetClick() {
  swShowMouseIndicator.SetChecked(true);
  swMouseIndicatorAutoHide.SetChecked(true);
  edMouseIndicatorAutoHideSec.SetValueInt(3);
  swTransparent_MouseIndicator.SetChecked(true);
  edTransparent_MouseIndicator.SetValueInt(220);
  swShowTime_MouseIndicator.SetChecked(false);
  swShowWinInfo_MouseIndicator.SetChecked(false);
  swColorsByLang_MouseIndicator.SetChecked(false);
  btnColor_MouseIndicator_Main_Font.SetSelectionColor(os::clBlack);
  // A system colour: it follows the colour scheme, and the save writes its current value.
  btnColor_MouseIndicator_Main_Background.SetSelectionColor(os::clInfoBk);
  btnColor_MouseIndicator_Led_Off.SetSelectionColor(0x808080);
  btnColor_MouseIndicator_Led_On.SetSelectionColor(0x00FF00);
  btnColor_MouseIndicator_Time_Background.SetSelectionColor(0);
  btnColor_MouseIndicator_Time_Font.SetSelectionColor(0xD4FF7F);
  if (core::IsFillingMouseIndicator) return;
  SavePages();
}

}  // namespace settings_window
