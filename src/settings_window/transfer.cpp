// Transfer between the settings fields and the controls of the pages. The fills run once, at
// the main window's first show, each under its page's guard; ReadFromUI runs before every save.
#include "core/color_text.h"
#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "settings_window/lang_data.h"
#include "settings_window/language_lists.h"
#include "settings_window/string_data.h"

namespace core {

namespace {

using monitor::fMain;
using settings_window::TLangsData;
using settings_window::TStringData;

// Sets the page's guard for the life of the object, also when a fill raises.
class Filling {
 public:
  explicit Filling(bool& flag) : m_flag(flag) { m_flag = true; }
  ~Filling() { m_flag = false; }
  Filling(const Filling&) = delete;
  Filling& operator=(const Filling&) = delete;

 private:
  bool& m_flag;
};

class TreeUpdate {
 public:
  explicit TreeUpdate(ui::TreeList& tree) : m_tree(tree) { m_tree.BeginUpdate(); }
  ~TreeUpdate() { m_tree.EndUpdate(); }
  TreeUpdate(const TreeUpdate&) = delete;
  TreeUpdate& operator=(const TreeUpdate&) = delete;

 private:
  ui::TreeList& m_tree;
};

void FillExclusionTree(ui::TreeList& tree, const TStringList& entries) {
  tree.Clear();
  TreeUpdate update(tree);
  for (const std::wstring& entry : entries) {
    ui::TreeNode* node = tree.AddChild(nullptr, TStringData{ExclusionName(entry)});
    tree.SetCheckBox(node, true);
    tree.SetChecked(node, IsExclusionEnabled(entry));
  }
}

void ReadExclusionTree(ui::TreeList& tree, TStringList& entries) {
  entries.clear();
  for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) {
    const auto* row = std::any_cast<TStringData>(&n->Record());
    entries.push_back(std::wstring(n->Checked() ? L"1" : L"0") + L";" +
                      (row != nullptr ? row->EntryText : std::wstring()));
  }
}

// One entry CC=RRGGBB per language row, in tree order. While the trees do not hold the
// installed layouts (the layout list could not be read), and for a tree without rows, the list
// stays as it is, so a save never empties the user's colours.
void ReadLanguageTree(ui::TreeList& tree, TStringList& entries,
                      TColor TLangsData::*field) {
  if (!settings_window::LanguageListsRead || tree.FirstNode() == nullptr) return;
  entries.clear();
  for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) {
    const auto* row = std::any_cast<TLangsData>(&n->Record());
    if (row == nullptr) continue;
    entries.push_back(row->CountryISO3166 + L"=" + ColorToHexRGB(row->*field));
  }
}

}  // namespace

void TSettings::WriteToUIDesktopIndicator() {
  if (fMain == nullptr) return;
  auto& m = *fMain;
  Filling guard(IsFillingDesktopIndicator);
  m.edBorderWidth.SetValueInt(BorderWidth);
  m.swShowTime.SetChecked(IsShowTime);
  m.swShowDate.SetChecked(IsShowDate);
  m.swShowDesktopIndicator.SetChecked(IsShowDesktopIndicator);
  m.btnColor_Time_Font.SetSelectionColor(Panel_Time_Font_Color);
  m.btnColor_Time_Background.SetSelectionColor(Panel_Time_Color);
  m.btnColor_Date_Font.SetSelectionColor(Panel_Date_Font_Color);
  m.btnColor_Date_Background.SetSelectionColor(Panel_Date_Color);
  m.btnColor_Led_Off.SetSelectionColor(Color_Led_Off);
  m.btnColor_Led_On.SetSelectionColor(Color_Led_On);
  m.btnColor_Main_Font.SetSelectionColor(Color_Main_Font);
  m.btnColor_Main_Background.SetSelectionColor(Color_Main_Background);
  m.swColorsByLang.SetChecked(IsColorsByLang);
  m.swTransparent.SetChecked(IsTransparent);
  m.edTransparent.SetValueInt(TransparentValue);
}

void TSettings::WriteToUIDesktopBorder() {
  if (fMain == nullptr) return;
  auto& m = *fMain;
  Filling guard(IsFillingDesktopBorder);
  m.edDesktopBorderWidth.SetValueInt(DesktopBorderWidth);
  m.swShowWorkareaBorder.SetChecked(IsShowWorkareaBorder);
  m.cbShowWorkareaBorder_L.SetChecked(ShowWorkareaBorder_L);
  m.cbShowWorkareaBorder_R.SetChecked(ShowWorkareaBorder_R);
  m.cbShowWorkareaBorder_T.SetChecked(ShowWorkareaBorder_T);
  m.cbShowWorkareaBorder_B.SetChecked(ShowWorkareaBorder_B);
  m.swShowTaskbarBorder.SetChecked(IsShowTaskbarBorder);
  m.cbShowTaskbarBorder_L.SetChecked(ShowTaskbarBorder_L);
  m.cbShowTaskbarBorder_R.SetChecked(ShowTaskbarBorder_R);
  m.cbShowTaskbarBorder_T.SetChecked(ShowTaskbarBorder_T);
  m.cbShowTaskbarBorder_B.SetChecked(ShowTaskbarBorder_B);
}

void TSettings::WriteToUIMouseIndicator() {
  if (fMain == nullptr) return;
  auto& m = *fMain;
  Filling guard(IsFillingMouseIndicator);
  m.swShowMouseIndicator.SetChecked(MouseIndicator_IsShow);
  m.swMouseIndicatorAutoHide.SetChecked(MouseIndicator_IsAutoHide);
  m.edMouseIndicatorAutoHideSec.SetValueInt(MouseIndicator_AutoHideSec);
  m.swShowTime_MouseIndicator.SetChecked(MouseIndicator_IsShowTime);
  m.swShowCapsNum_MouseIndicator.SetChecked(MouseIndicator_IsShowCapsNum);
  m.btnColor_MouseIndicator_Led_Off.SetSelectionColor(MouseIndicator_Color_Led_Off);
  m.btnColor_MouseIndicator_Led_On.SetSelectionColor(MouseIndicator_Color_Led_On);
  m.btnColor_MouseIndicator_Main_Font.SetSelectionColor(MouseIndicator_Color_Main_Font);
  m.btnColor_MouseIndicator_Main_Background.SetSelectionColor(
      MouseIndicator_Color_Main_Background);
  m.btnColor_MouseIndicator_Time_Font.SetSelectionColor(MouseIndicator_Panel_Time_Font_Color);
  m.btnColor_MouseIndicator_Time_Background.SetSelectionColor(MouseIndicator_Panel_Time_Color);
  m.swShowWinInfo_MouseIndicator.SetChecked(MouseIndicator_IsWindowInfo);
  m.swTransparent_MouseIndicator.SetChecked(MouseIndicator_IsTransparent);
  m.edTransparent_MouseIndicator.SetValueInt(MouseIndicator_TransparentValue);
  m.swColorsByLang_MouseIndicator.SetChecked(MouseIndicator_IsColorsByLang);
}

void TSettings::WriteToUIExcludeList() {
  if (fMain == nullptr) return;
  auto& m = *fMain;
  Filling guard(IsFillingExcludeList);
  m.swDontShowByWindowClass.SetChecked(IsDontShowByWindowClass);
  m.swDontShowByApplicationFilename.SetChecked(IsDontShowByApplicationFilename);
  FillExclusionTree(m.vstExclude_WindowClass, SL_Exclude_WindowClass);
  FillExclusionTree(m.vstExclude_AppName, SL_Exclude_AppFileName);
}

void TSettings::WriteToUISystemTray() {
  if (fMain == nullptr) return;
  auto& m = *fMain;
  Filling guard(IsFillingSystemTray);
  m.sw_TrayShowCapsLockIndicator.SetChecked(SystemTrayIndicator_IsShowCapsLockIndicator);
  m.sw_TrayShowNumLockIndicator.SetChecked(SystemTrayIndicator_IsShowNumLockIndicator);
  m.grTray_CAPS_Mode.SetItemIndex(SystemTrayIndicator_CapsLockIndicatorMode);
  m.grTray_NumLock_Mode.SetItemIndex(SystemTrayIndicator_NumLockIndicatorMode);
}

void TSettings::WriteToUICaretIndicator() {
  if (fMain == nullptr) return;
  auto& m = *fMain;
  Filling guard(IsFillingCaretIndicator);
  m.swShowCaretIndicator.SetChecked(CaretIndicator_IsShow);
  m.swShowCaretIndicatorCapsNum.SetChecked(CaretIndicator_IsShowCapsNum);
  m.swCaretIndicatorAutoHide.SetChecked(CaretIndicator_IsAutoHide);
  m.edCaretIndicatorAutoHideValue.SetValueInt(CaretIndicator_AutoHideSec);
  m.swCaretIndicatorTransparent.SetChecked(CaretIndicator_IsTransparent);
  m.edCaretIndicatorTransparentValue.SetValueInt(CaretIndicator_TransparentValue);
  m.cbCaretIndicatorPosition.SetItemIndex(CaretIndicator_Positon);
  m.swColorsByLang_CaretIndicator.SetChecked(CaretIndicator_IsColorsByLang);
  m.btnColor_CaretIndicator_Main_Font.SetSelectionColor(CaretIndicator_Color_Main_Font);
  m.btnColor_CaretIndicator_Main_Background.SetSelectionColor(
      CaretIndicator_Color_Main_Background);
  m.swCaretIndicatorDrawBlackBorder.SetChecked(CaretIndicator_IsDrawBlackBorder);
}

void TSettings::WriteToUIExcludeList2() {
  if (fMain == nullptr) return;
  auto& m = *fMain;
  Filling guard(IsFillingExcludeList2);
  m.swDontShowByApplicationFilename2.SetChecked(IsDontShowByApplicationFilename2);
  FillExclusionTree(m.vstExclude_AppName2, SL_Exclude_AppFileName2);
}

void TSettings::WriteToUIRGBLighting() {
  if (fMain == nullptr) return;
  Filling guard(IsFillingRGBLighting);
  fMain->swChangeRGB_KeyboardLogitech.SetChecked(IsChangeRGB_KeyboardLogitech);
}

void TSettings::ReadFromUI() {
  // Before the first fill the pages hold their layout values, not the settings.
  if (fMain == nullptr || !monitor::IsFirstShowDone) return;
  auto& m = *fMain;

  BorderWidth = m.edBorderWidth.ValueInt();
  IsShowTime = m.swShowTime.Checked();
  IsShowDate = m.swShowDate.Checked();
  IsShowDesktopIndicator = m.swShowDesktopIndicator.Checked();
  Panel_Time_Font_Color = m.btnColor_Time_Font.SelectionColor();
  Panel_Time_Color = m.btnColor_Time_Background.SelectionColor();
  Panel_Date_Font_Color = m.btnColor_Date_Font.SelectionColor();
  Panel_Date_Color = m.btnColor_Date_Background.SelectionColor();
  Color_Led_Off = m.btnColor_Led_Off.SelectionColor();
  Color_Led_On = m.btnColor_Led_On.SelectionColor();
  Color_Main_Font = m.btnColor_Main_Font.SelectionColor();
  Color_Main_Background = m.btnColor_Main_Background.SelectionColor();
  IsColorsByLang = m.swColorsByLang.Checked();
  IsTransparent = m.swTransparent.Checked();
  TransparentValue = m.edTransparent.ValueInt();

  DesktopBorderWidth = m.edDesktopBorderWidth.ValueInt();
  IsShowWorkareaBorder = m.swShowWorkareaBorder.Checked();
  ShowWorkareaBorder_L = m.cbShowWorkareaBorder_L.Checked();
  ShowWorkareaBorder_R = m.cbShowWorkareaBorder_R.Checked();
  ShowWorkareaBorder_T = m.cbShowWorkareaBorder_T.Checked();
  ShowWorkareaBorder_B = m.cbShowWorkareaBorder_B.Checked();
  IsShowTaskbarBorder = m.swShowTaskbarBorder.Checked();
  ShowTaskbarBorder_L = m.cbShowTaskbarBorder_L.Checked();
  ShowTaskbarBorder_R = m.cbShowTaskbarBorder_R.Checked();
  ShowTaskbarBorder_T = m.cbShowTaskbarBorder_T.Checked();
  ShowTaskbarBorder_B = m.cbShowTaskbarBorder_B.Checked();

  MouseIndicator_IsShow = m.swShowMouseIndicator.Checked();
  MouseIndicator_IsAutoHide = m.swMouseIndicatorAutoHide.Checked();
  MouseIndicator_AutoHideSec = m.edMouseIndicatorAutoHideSec.ValueInt();
  MouseIndicator_IsShowTime = m.swShowTime_MouseIndicator.Checked();
  MouseIndicator_IsShowCapsNum = m.swShowCapsNum_MouseIndicator.Checked();
  MouseIndicator_Color_Led_Off = m.btnColor_MouseIndicator_Led_Off.SelectionColor();
  MouseIndicator_Color_Led_On = m.btnColor_MouseIndicator_Led_On.SelectionColor();
  MouseIndicator_Color_Main_Font = m.btnColor_MouseIndicator_Main_Font.SelectionColor();
  MouseIndicator_Color_Main_Background =
      m.btnColor_MouseIndicator_Main_Background.SelectionColor();
  MouseIndicator_Panel_Time_Font_Color = m.btnColor_MouseIndicator_Time_Font.SelectionColor();
  MouseIndicator_Panel_Time_Color = m.btnColor_MouseIndicator_Time_Background.SelectionColor();
  MouseIndicator_IsWindowInfo = m.swShowWinInfo_MouseIndicator.Checked();
  MouseIndicator_IsTransparent = m.swTransparent_MouseIndicator.Checked();
  MouseIndicator_TransparentValue = m.edTransparent_MouseIndicator.ValueInt();
  MouseIndicator_IsColorsByLang = m.swColorsByLang_MouseIndicator.Checked();

  IsDontShowByWindowClass = m.swDontShowByWindowClass.Checked();
  IsDontShowByApplicationFilename = m.swDontShowByApplicationFilename.Checked();

  SystemTrayIndicator_IsShowCapsLockIndicator = m.sw_TrayShowCapsLockIndicator.Checked();
  SystemTrayIndicator_IsShowNumLockIndicator = m.sw_TrayShowNumLockIndicator.Checked();
  SystemTrayIndicator_CapsLockIndicatorMode = m.grTray_CAPS_Mode.ItemIndex();
  SystemTrayIndicator_NumLockIndicatorMode = m.grTray_NumLock_Mode.ItemIndex();

  CaretIndicator_IsShow = m.swShowCaretIndicator.Checked();
  CaretIndicator_IsShowCapsNum = m.swShowCaretIndicatorCapsNum.Checked();
  CaretIndicator_IsAutoHide = m.swCaretIndicatorAutoHide.Checked();
  CaretIndicator_AutoHideSec = m.edCaretIndicatorAutoHideValue.ValueInt();
  CaretIndicator_IsTransparent = m.swCaretIndicatorTransparent.Checked();
  CaretIndicator_TransparentValue = m.edCaretIndicatorTransparentValue.ValueInt();
  CaretIndicator_Positon = m.cbCaretIndicatorPosition.ItemIndex();
  CaretIndicator_IsColorsByLang = m.swColorsByLang_CaretIndicator.Checked();
  CaretIndicator_Color_Main_Font = m.btnColor_CaretIndicator_Main_Font.SelectionColor();
  CaretIndicator_Color_Main_Background =
      m.btnColor_CaretIndicator_Main_Background.SelectionColor();
  CaretIndicator_IsDrawBlackBorder = m.swCaretIndicatorDrawBlackBorder.Checked();

  IsDontShowByApplicationFilename2 = m.swDontShowByApplicationFilename2.Checked();
  IsChangeRGB_KeyboardLogitech = m.swChangeRGB_KeyboardLogitech.Checked();

  ReadLanguageTree(m.vstLang_DesktopIndicator, SL_Lang_Color_Font, &TLangsData::FontColor);
  ReadLanguageTree(m.vstLang_DesktopIndicator, SL_Lang_Color_Background,
                   &TLangsData::BackgroundColor);
  ReadLanguageTree(m.vstLang_DesktopBorder, SL_Lang_DesktopBorder_Color, &TLangsData::BorderColor);
  ReadLanguageTree(m.vstLang_MouseIndicator, MouseIndicator_SL_Lang_Color_Font,
                   &TLangsData::FontColor);
  ReadLanguageTree(m.vstLang_MouseIndicator, MouseIndicator_SL_Lang_Color_Background,
                   &TLangsData::BackgroundColor);
  ReadLanguageTree(m.vstLang_CaretIndicator, CaretIndicator_SL_Lang_Color_Font,
                   &TLangsData::FontColor);
  ReadLanguageTree(m.vstLang_CaretIndicator, CaretIndicator_SL_Lang_Color_Background,
                   &TLangsData::BackgroundColor);
  ReadLanguageTree(m.vstLang_RGB, SL_Lang_RGB_Color, &TLangsData::RgbColor);
  ReadExclusionTree(m.vstExclude_WindowClass, SL_Exclude_WindowClass);
  ReadExclusionTree(m.vstExclude_AppName, SL_Exclude_AppFileName);
  ReadExclusionTree(m.vstExclude_AppName2, SL_Exclude_AppFileName2);
}

}  // namespace core
