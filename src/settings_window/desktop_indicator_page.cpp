#include "settings_window/desktop_indicator_page.h"

#include "core/common.h"
#include "settings_window/lang_data.h"
#include "settings_window/page_saving.h"

namespace settings_window {

void DesktopIndicatorPage::LayoutDesktopIndicatorPage(const PxFn& px) {
  MakePage(Panel_DesktopIndicator, px);
  MakeSettingsPanel(PanelSettings_DesktopIndicator, 200, px);
  MakeResetBar(PanelBottom_DesktopIndicator, btnDesktopIndicatorReset, px);
  MakeLanguageTree(vstLang_DesktopIndicator, 240, L"Font Color", L"Background Color", px);
  PlaceLabel(L_Preview1, 110, 6, 100, px);
  // This page's preview is the desktop indicator itself.
  L_Preview1.SetVisible(false);

  PlaceSwitch(swShowDesktopIndicator, &L_ShowDesktopIndicator, 5, 14, px, 160);
  PlaceLabel(L_BorderWidth_0_3, 51, 37, 140, px);
  PlaceNumberBox(edBorderWidth, 77, 57, 90, 0, 3, px);
  PlaceSwitch(swTransparent, &L_Transparent_100_255, 5, 89, px, 150);
  PlaceNumberBox(edTransparent, 77, 111, 90, 100, 255, px);
  PlaceSwitch(swColorsByLang, &L_ColorsByLang, 5, 168, px, 300);

  PlaceSwitch(swShowTime, &L_Show_Time, 213, 14, px, 100);
  PlaceColorButton(btnColor_Time_Font, &L_FontColor, 324, 34, px);
  PlaceColorButton(btnColor_Time_Background, &L_BackgroundColor, 324, 58, px);
  PlaceSwitch(swShowDate, &L_Show_Date, 213, 89, px, 100);
  PlaceColorButton(btnColor_Date_Font, &L_FontColor2, 324, 109, px);
  PlaceColorButton(btnColor_Date_Background, &L_BackgroundColor2, 324, 133, px);

  PlaceLabel(L_CAPS_NUM_LedColor, 370, 14, 206, px, 18, true);
  L_CAPS_NUM_LedColor.SetAlignment(DT_RIGHT);
  PlaceColorButton(btnColor_Led_Off, &L_Off, 526, 34, px);
  PlaceColorButton(btnColor_Led_On, &L_On, 526, 58, px);
  PlaceLabel(L_MainColors, 370, 89, 206, px, 18, true);
  L_MainColors.SetAlignment(DT_RIGHT);
  PlaceColorButton(btnColor_Main_Font, &L_FontColor3, 526, 109, px);
  PlaceColorButton(btnColor_Main_Background, &L_BackgroundColor3, 526, 133, px);

  edBorderWidth.OnChangeValue = [this] { edBorderWidthChangeValue(); };
  edTransparent.OnChangeValue = [this] { edBorderWidthChangeValue(); };
  for (ui::Switch* sw : {&swShowTime, &swShowDate, &swColorsByLang, &swTransparent,
                         &swShowDesktopIndicator}) {
    sw->OnClick = [this] { swShowTimeClick(); };
  }
  for (ui::ColorButton* b : {&btnColor_Time_Font, &btnColor_Time_Background, &btnColor_Date_Font,
                             &btnColor_Date_Background, &btnColor_Led_Off, &btnColor_Led_On,
                             &btnColor_Main_Font, &btnColor_Main_Background}) {
    b->OnChange = [this] { btnColor_Time_FontChange(); };
    b->OnClick = [this, b] { btnColor_Time_FontClick(*b); };
  }
  btnDesktopIndicatorReset.OnClick = [this] { btnDesktopIndicatorResetClick(); };
}

void DesktopIndicatorPage::edBorderWidthChangeValue() {
  if (core::IsFillingDesktopIndicator) return;
  SavePages();
}

void DesktopIndicatorPage::swShowTimeClick() {
  if (core::IsFillingDesktopIndicator) return;
  SavePages();
}

void DesktopIndicatorPage::btnColor_Time_FontChange() {
  if (core::IsFillingDesktopIndicator) return;
  SavePages();
}

void DesktopIndicatorPage::btnColor_Time_FontClick(ui::ColorButton& button) {
  ChooseColorAndSave(button);
}

void DesktopIndicatorPage::btnDesktopIndicatorResetClick() {
  edBorderWidth.SetValueInt(2);
  btnColor_Led_Off.SetSelectionColor(0x808080);
  btnColor_Led_On.SetSelectionColor(0x00FF00);
  btnColor_Time_Font.SetSelectionColor(0xD4FF7F);
  btnColor_Time_Background.SetSelectionColor(0x222222);
  btnColor_Date_Font.SetSelectionColor(0xFFF8F0);
  btnColor_Date_Background.SetSelectionColor(0x333333);
  btnColor_Main_Font.SetSelectionColor(0xFFFFFF);
  btnColor_Main_Background.SetSelectionColor(0xCC6600);
  // The rows take the colours directly: no event, one repaint.
  for (ui::TreeNode* n = vstLang_DesktopIndicator.FirstNode(); n != nullptr;
       n = vstLang_DesktopIndicator.NextNode(n)) {
    if (auto* row = std::any_cast<TLangsData>(&n->Record())) {
      row->BackgroundColor = 0xCC6600;
      row->FontColor = 0xFFFFFF;
    }
  }
  RepaintTree(vstLang_DesktopIndicator);
  swShowTime.SetChecked(true);
  swShowDate.SetChecked(true);
  swColorsByLang.SetChecked(false);
  swTransparent.SetChecked(true);
  edTransparent.SetValueInt(200);
  if (core::IsFillingDesktopIndicator) return;
  SavePages();
}

}  // namespace settings_window
