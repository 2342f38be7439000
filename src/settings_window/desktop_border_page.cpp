#include "settings_window/desktop_border_page.h"

#include "core/common.h"
#include "monitor/globals.h"
#include "settings_window/lang_data.h"
#include "settings_window/page_saving.h"

namespace settings_window {

namespace {

void MakeLine(ui::Shape& line, ui::Align align, const PxFn& px) {
  line.SetBounds(0, 0, px(8), px(8));
  line.SetAlign(align);
  line.SetBrushColor(os::clRed);
  line.SetPenColor(os::clRed);
}

void MakePreviewStrip(ui::Panel& strip, int height, os::TColor color, const PxFn& px) {
  strip.SetBounds(0, 0, px(935), px(height));
  strip.SetAlign(ui::Align::Top);
  strip.SetColor(color);
  strip.SetFont({L"Tahoma", px(19), false, os::clWindowText});
}

}  // namespace

void DesktopBorderPage::LayoutDesktopBorderPage(const PxFn& px) {
  MakePage(Panel_DesktopBorder, px);
  MakePreviewStrip(PanelPreviewWorkareaBorder, 150, os::clWhite, px);
  MakePreviewStrip(PanelPreviewTaskbarBorder, 50, os::clBtnFace, px);
  MakeSettingsPanel(PanelSettings_DesktopBorder, 105, px);
  MakeResetBar(PanelBottom_DesktopBorder, btnDesktopBorderReset, px);
  MakeLanguageTree(vstLang_DesktopBorder, 250, L"Border Color", nullptr, px);

  MakeLine(ShapeLineT, ui::Align::Top, px);
  MakeLine(ShapeLineB, ui::Align::Bottom, px);
  MakeLine(ShapeLineL, ui::Align::Left, px);
  MakeLine(ShapeLineR, ui::Align::Right, px);
  MakeLine(ShapeLineT2, ui::Align::Top, px);
  MakeLine(ShapeLineB2, ui::Align::Bottom, px);
  MakeLine(ShapeLineL2, ui::Align::Left, px);
  MakeLine(ShapeLineR2, ui::Align::Right, px);
  Bevel_Start.SetShape(ui::BevelShape::Box);
  Bevel_Start.SetStyle(ui::BevelStyle::Raised);
  Bevel_Start.SetBounds(px(9), px(9), px(82), px(30));
  L_Start.SetFont({L"Tahoma", px(19), false, clHotLight});
  L_Start.SetBounds(px(11), px(11), px(78), px(26));
  L_Start.SetAlignment(DT_CENTER | DT_VCENTER);

  for (ui::Shape* screen : {&ShapeWorkareaScreen, &ShapeTaskbarScreen}) {
    screen->SetBrushColor(os::clWhite);
    screen->SetPenColor(os::clGray);
  }
  ShapeWorkareaScreen.SetBounds(px(20), px(40), px(150), px(45));
  ShapeTaskbarScreen.SetBounds(px(284), px(40), px(150), px(45));

  PlaceSwitch(swShowWorkareaBorder, &L_ShowWorkareaBorder, 11, 8, px, 200);
  PlaceCheckBox(cbShowWorkareaBorder_L, 12, 54, px);
  PlaceCheckBox(cbShowWorkareaBorder_R, 162, 54, px);
  PlaceCheckBox(cbShowWorkareaBorder_T, 88, 32, px);
  PlaceCheckBox(cbShowWorkareaBorder_B, 88, 76, px);
  PlaceSwitch(swShowTaskbarBorder, &L_ShowTaskbarBorder, 275, 8, px, 200);
  PlaceCheckBox(cbShowTaskbarBorder_L, 276, 54, px);
  PlaceCheckBox(cbShowTaskbarBorder_R, 426, 54, px);
  PlaceCheckBox(cbShowTaskbarBorder_T, 352, 32, px);
  PlaceCheckBox(cbShowTaskbarBorder_B, 352, 76, px);
  PlaceLabel(L_Border_Width_1_8, 514, 44, 150, px);
  PlaceNumberBox(edDesktopBorderWidth, 514, 64, 100, 1, 8, px);

  edDesktopBorderWidth.OnChangeValue = [this] { edDesktopBorderWidthChangeValue(); };
  swShowWorkareaBorder.OnClick = [this] { swShowWorkareaBorderClick(); };
  swShowTaskbarBorder.OnClick = [this] { swShowWorkareaBorderClick(); };
  for (ui::CheckBox* box : {&cbShowWorkareaBorder_L, &cbShowWorkareaBorder_R,
                            &cbShowWorkareaBorder_T, &cbShowWorkareaBorder_B,
                            &cbShowTaskbarBorder_L, &cbShowTaskbarBorder_R,
                            &cbShowTaskbarBorder_T, &cbShowTaskbarBorder_B}) {
    box->OnClick = [this] { swShowWorkareaBorderClick(); };
  }
  btnDesktopBorderReset.OnClick = [this] { btnDesktopBorderResetClick(); };
}

void DesktopBorderPage::edDesktopBorderWidthChangeValue() {
  if (core::IsFillingDesktopBorder) return;
  SavePages();
}

void DesktopBorderPage::swShowWorkareaBorderClick() {
  if (core::IsFillingDesktopBorder) return;
  SavePages();
}

void DesktopBorderPage::btnDesktopBorderResetClick() {
  edDesktopBorderWidth.SetValueInt(2);
  swShowWorkareaBorder.SetChecked(true);
  for (ui::CheckBox* box : {&cbShowWorkareaBorder_L, &cbShowWorkareaBorder_R,
                            &cbShowWorkareaBorder_T, &cbShowWorkareaBorder_B}) {
    box->SetChecked(true);
  }
  swShowTaskbarBorder.SetChecked(true);
  for (ui::CheckBox* box : {&cbShowTaskbarBorder_L, &cbShowTaskbarBorder_R,
                            &cbShowTaskbarBorder_T, &cbShowTaskbarBorder_B}) {
    box->SetChecked(true);
  }
  SavePages();
}

void DesktopBorderPage::UpdateDesktopBorderPreview() {
  const int t = core::Scale(edDesktopBorderWidth.ValueInt());
  for (ui::Shape* side : {&ShapeLineL, &ShapeLineR, &ShapeLineL2, &ShapeLineR2}) side->SetWidth(t);
  for (ui::Shape* edge : {&ShapeLineT, &ShapeLineB, &ShapeLineT2, &ShapeLineB2}) edge->SetHeight(t);

  const std::wstring country =
      monitor::fLangInfo ? monitor::fLangInfo->L_Lang.Hint() : std::wstring();
  os::TColor color = 0x808080;
  for (ui::TreeNode* n = vstLang_DesktopBorder.FirstNode(); n != nullptr;
       n = vstLang_DesktopBorder.NextNode(n)) {
    const auto* row = std::any_cast<TLangsData>(&n->Record());
    if (row != nullptr && row->CountryISO3166 == country) {
      color = row->BorderColor;
      break;
    }
  }
  struct Line {
    ui::Shape& Shape;
    bool Shown;
  };
  const bool work = swShowWorkareaBorder.Checked();
  const bool task = swShowTaskbarBorder.Checked();
  const Line lines[] = {
      {ShapeLineL, work && cbShowWorkareaBorder_L.Checked()},
      {ShapeLineR, work && cbShowWorkareaBorder_R.Checked()},
      {ShapeLineT, work && cbShowWorkareaBorder_T.Checked()},
      {ShapeLineB, work && cbShowWorkareaBorder_B.Checked()},
      {ShapeLineL2, task && cbShowTaskbarBorder_L.Checked()},
      {ShapeLineR2, task && cbShowTaskbarBorder_R.Checked()},
      {ShapeLineT2, task && cbShowTaskbarBorder_T.Checked()},
      {ShapeLineB2, task && cbShowTaskbarBorder_B.Checked()},
  };
  for (const Line& line : lines) {
    line.Shape.SetPenColor(color);
    line.Shape.SetBrushColor(color);
    line.Shape.SetVisible(line.Shown);
  }
}

}  // namespace settings_window
