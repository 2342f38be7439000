// The page handlers: every control bound to one saves once through it, only its own flags hold it
// off, and the few that act on the running program do so.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "core/color_text.h"
#include "core/json.h"
#include "pages_fixture.h"
#include "settings_window/lang_data.h"

namespace {

using monitor::TfMain;
using testing_support::ColorDialogAnswer;
using testing_support::PagesFixture;

// One row per control the page handlers are bound to: what the user (or code) does to it, the
// flags that hold its handler off, the key of the settings file that the save changes and the
// value it then holds, and what else the handler does. The values differ from the defaults of a
// new settings object, and each colour from every other, so that a control saved into the wrong
// key, or not saved at all, shows.
struct HandlerRow {
  const char* Control;
  std::function<void(TfMain&)> Change;
  std::vector<bool*> HeldOffBy;
  const char* Section;
  const char* Key;
  core::Json Saved;
  std::function<bool(TfMain&)> Also;  // the handler's further effect has happened; null: none
};

#define CLICK(control) [](TfMain& m) { m.control.Click(); }
#define NUMBER(control, v) [](TfMain& m) { m.control.SetValueInt(v); }
#define COLOUR(control, c) [](TfMain& m) { m.control.SetSelectionColor(c); }
#define ITEM(control, i) [](TfMain& m) { m.control.SetItemIndex(i); }

std::vector<HandlerRow> Rows() {
  bool* const desktop = &core::IsFillingDesktopIndicator;
  bool* const border = &core::IsFillingDesktopBorder;
  bool* const mouse = &core::IsFillingMouseIndicator;
  bool* const exclude = &core::IsFillingExcludeList;
  bool* const tray = &core::IsFillingSystemTray;
  bool* const caret = &core::IsFillingCaretIndicator;
  bool* const exclude2 = &core::IsFillingExcludeList2;
  bool* const rgb = &core::IsFillingRGBLighting;
  bool* const starting = &core::IsStarting;
  const char* const di = "DesktopIndicator";
  const char* const db = "DesktopBorder";
  const char* const mi = "MouseIndicator";
  const char* const st = "SystemTrayIndicator";
  const char* const ci = "CaretIndicator";
  return {
      // Desktop Indicator page
      {"edBorderWidth", NUMBER(edBorderWidth, 0), {desktop}, di, "BorderWidth", 0},
      {"edTransparent", NUMBER(edTransparent, 150), {desktop}, di, "TransparentValue", 150},
      {"swShowTime", CLICK(swShowTime), {desktop}, di, "IsShowTime", false},
      {"swShowDate", CLICK(swShowDate), {desktop}, di, "IsShowDate", false},
      {"swColorsByLang", CLICK(swColorsByLang), {desktop}, di, "IsColorsByLang", true},
      {"swTransparent", CLICK(swTransparent), {desktop}, di, "IsTransparent", false},
      {"swShowDesktopIndicator", CLICK(swShowDesktopIndicator), {desktop}, di,
       "IsShowDesktopIndicator", false},
      {"btnColor_Time_Font", COLOUR(btnColor_Time_Font, 0x0000A1), {desktop}, di,
       "Panel_Time_Font_Color", "A10000"},
      {"btnColor_Time_Background", COLOUR(btnColor_Time_Background, 0x0000A2), {desktop}, di,
       "Panel_Time_Color", "A20000"},
      {"btnColor_Date_Font", COLOUR(btnColor_Date_Font, 0x0000A3), {desktop}, di,
       "Panel_Date_Font_Color", "A30000"},
      {"btnColor_Date_Background", COLOUR(btnColor_Date_Background, 0x0000A4), {desktop}, di,
       "Panel_Date_Color", "A40000"},
      {"btnColor_Led_Off", COLOUR(btnColor_Led_Off, 0x0000A5), {desktop}, di, "Color_Led_Off",
       "A50000"},
      {"btnColor_Led_On", COLOUR(btnColor_Led_On, 0x0000A6), {desktop}, di, "Color_Led_On",
       "A60000"},
      {"btnColor_Main_Font", COLOUR(btnColor_Main_Font, 0x0000A7), {desktop}, di,
       "Color_Main_Font", "A70000"},
      {"btnColor_Main_Background", COLOUR(btnColor_Main_Background, 0x0000A8), {desktop}, di,
       "Color_Main_Background", "A80000"},
      // Desktop Border page
      {"edDesktopBorderWidth", NUMBER(edDesktopBorderWidth, 7), {border}, db,
       "DesktopBorderWidth", 7},
      {"swShowWorkareaBorder", CLICK(swShowWorkareaBorder), {border}, db, "IsShowWorkareaBorder",
       true},
      {"swShowTaskbarBorder", CLICK(swShowTaskbarBorder), {border}, db, "IsShowTaskbarBorder",
       true},
      {"cbShowWorkareaBorder_L", CLICK(cbShowWorkareaBorder_L), {border}, db,
       "ShowWorkareaBorder_L", false},
      {"cbShowWorkareaBorder_R", CLICK(cbShowWorkareaBorder_R), {border}, db,
       "ShowWorkareaBorder_R", false},
      {"cbShowWorkareaBorder_T", CLICK(cbShowWorkareaBorder_T), {border}, db,
       "ShowWorkareaBorder_T", false},
      {"cbShowWorkareaBorder_B", CLICK(cbShowWorkareaBorder_B), {border}, db,
       "ShowWorkareaBorder_B", false},
      {"cbShowTaskbarBorder_L", CLICK(cbShowTaskbarBorder_L), {border}, db,
       "ShowTaskbarBorder_L", false},
      {"cbShowTaskbarBorder_R", CLICK(cbShowTaskbarBorder_R), {border}, db,
       "ShowTaskbarBorder_R", false},
      {"cbShowTaskbarBorder_T", CLICK(cbShowTaskbarBorder_T), {border}, db,
       "ShowTaskbarBorder_T", false},
      {"cbShowTaskbarBorder_B", CLICK(cbShowTaskbarBorder_B), {border}, db,
       "ShowTaskbarBorder_B", false},
      // Mouse Indicator page
      {"edMouseIndicatorAutoHideSec", NUMBER(edMouseIndicatorAutoHideSec, 9), {mouse}, mi,
       "MouseIndicator_AutoHideSec", 9},
      {"edTransparent_MouseIndicator", NUMBER(edTransparent_MouseIndicator, 150), {mouse}, mi,
       "MouseIndicator_TransparentValue", 150},
      {"swShowMouseIndicator", CLICK(swShowMouseIndicator), {mouse}, mi, "MouseIndicator_IsShow",
       false},
      {"swMouseIndicatorAutoHide", CLICK(swMouseIndicatorAutoHide), {mouse}, mi,
       "MouseIndicator_IsAutoHide", false},
      {"swShowTime_MouseIndicator", CLICK(swShowTime_MouseIndicator), {mouse}, mi,
       "MouseIndicator_IsShowTime", true},
      {"swTransparent_MouseIndicator", CLICK(swTransparent_MouseIndicator), {mouse}, mi,
       "MouseIndicator_IsTransparent", false},
      {"swColorsByLang_MouseIndicator", CLICK(swColorsByLang_MouseIndicator), {mouse}, mi,
       "MouseIndicator_IsColorsByLang", true},
      {"swShowWinInfo_MouseIndicator", CLICK(swShowWinInfo_MouseIndicator), {mouse}, mi,
       "MouseIndicator_IsWindowInfo", true},
      {"swShowCapsNum_MouseIndicator", CLICK(swShowCapsNum_MouseIndicator), {mouse}, mi,
       "MouseIndicator_IsShowCapsNum", true},
      {"btnColor_MouseIndicator_Time_Font", COLOUR(btnColor_MouseIndicator_Time_Font, 0x0000B1),
       {mouse}, mi, "MouseIndicator_Panel_Time_Font_Color", "B10000"},
      {"btnColor_MouseIndicator_Time_Background",
       COLOUR(btnColor_MouseIndicator_Time_Background, 0x0000B2), {mouse}, mi,
       "MouseIndicator_Panel_Time_Color", "B20000"},
      {"btnColor_MouseIndicator_Led_Off", COLOUR(btnColor_MouseIndicator_Led_Off, 0x0000B3),
       {mouse}, mi, "MouseIndicator_Color_Led_Off", "B30000"},
      {"btnColor_MouseIndicator_Led_On", COLOUR(btnColor_MouseIndicator_Led_On, 0x0000B4),
       {mouse}, mi, "MouseIndicator_Color_Led_On", "B40000"},
      {"btnColor_MouseIndicator_Main_Background",
       COLOUR(btnColor_MouseIndicator_Main_Background, 0x0000B5), {mouse}, mi,
       "MouseIndicator_Color_Main_Background", "B50000"},
      {"btnColor_MouseIndicator_Main_Font", COLOUR(btnColor_MouseIndicator_Main_Font, 0x0000B6),
       {mouse}, mi, "MouseIndicator_Color_Main_Font", "B60000"},
      // The first Exclude List page: the filter lists are rebuilt before the save.
      {"swDontShowByWindowClass", CLICK(swDontShowByWindowClass), {exclude, starting},
       "Exclude_WindowClass", "IsDontShowByWindowClass", false,
       [](TfMain&) { return core::FilterWindowClass->empty(); }},
      {"swDontShowByApplicationFilename", CLICK(swDontShowByApplicationFilename),
       {exclude, starting}, "Exclude_AppFileName", "IsDontShowByApplicationFilename", false,
       [](TfMain&) { return core::FilterAppFileName->empty(); }},
      // System Tray Indicator page: the icons follow at once, showing the mode's "on" image.
      {"sw_TrayShowCapsLockIndicator", CLICK(sw_TrayShowCapsLockIndicator), {tray}, st,
       "SystemTrayIndicator_IsShowCapsLockIndicator", false,
       [](TfMain& m) { return !m.TrayIcon_CAPS.Visible(); }},
      {"sw_TrayShowNumLockIndicator", CLICK(sw_TrayShowNumLockIndicator), {tray}, st,
       "SystemTrayIndicator_IsShowNumLockIndicator", false,
       [](TfMain& m) { return !m.TrayIcon_NumLock.Visible(); }},
      {"grTray_CAPS_Mode", ITEM(grTray_CAPS_Mode, 5), {tray}, st,
       "SystemTrayIndicator_CapsLockIndicatorMode", 5,
       [](TfMain& m) { return m.TrayIcon_CAPS.IconIndex() == 6; }},
      {"grTray_NumLock_Mode", ITEM(grTray_NumLock_Mode, 2), {tray}, st,
       "SystemTrayIndicator_NumLockIndicatorMode", 2,
       [](TfMain& m) { return m.TrayIcon_NumLock.IconIndex() == 3; }},
      // Caret Indicator page
      {"edCaretIndicatorAutoHideValue", NUMBER(edCaretIndicatorAutoHideValue, 9), {caret}, ci,
       "CaretIndicator_AutoHideSec", 9},
      {"edCaretIndicatorTransparentValue", NUMBER(edCaretIndicatorTransparentValue, 101), {caret},
       ci, "CaretIndicator_TransparentValue", 101},
      {"swShowCaretIndicator", CLICK(swShowCaretIndicator), {caret}, ci, "CaretIndicator_IsShow",
       false},
      {"swCaretIndicatorAutoHide", CLICK(swCaretIndicatorAutoHide), {caret}, ci,
       "CaretIndicator_IsAutoHide", false},
      {"swCaretIndicatorTransparent", CLICK(swCaretIndicatorTransparent), {caret}, ci,
       "CaretIndicator_IsTransparent", false},
      {"swShowCaretIndicatorCapsNum", CLICK(swShowCaretIndicatorCapsNum), {caret}, ci,
       "CaretIndicator_IsShowCapsNum", false},
      {"swCaretIndicatorDrawBlackBorder", CLICK(swCaretIndicatorDrawBlackBorder), {caret}, ci,
       "CaretIndicator_IsDrawBlackBorder", false},
      {"swColorsByLang_CaretIndicator", CLICK(swColorsByLang_CaretIndicator), {caret}, ci,
       "CaretIndicator_IsColorsByLang", false},
      {"btnColor_CaretIndicator_Main_Font", COLOUR(btnColor_CaretIndicator_Main_Font, 0x0000C1),
       {caret}, ci, "CaretIndicator_Color_Main_Font", "C10000"},
      {"btnColor_CaretIndicator_Main_Background",
       COLOUR(btnColor_CaretIndicator_Main_Background, 0x0000C2), {caret}, ci,
       "CaretIndicator_Color_Main_Background", "C20000"},
      {"cbCaretIndicatorPosition", ITEM(cbCaretIndicatorPosition, 3), {caret, starting}, ci,
       "CaretIndicator_Positon", 3},
      // The second Exclude List page: its filter list is rebuilt before the save.
      {"swDontShowByApplicationFilename2", CLICK(swDontShowByApplicationFilename2),
       {exclude2, starting}, "Exclude_AppFileName2", "IsDontShowByApplicationFilename2", false,
       [](TfMain&) { return core::FilterAppFileName2->empty(); }},
      // RGB Keyboard Lighting page
      {"swChangeRGB_KeyboardLogitech", CLICK(swChangeRGB_KeyboardLogitech), {rgb}, "RGB_Lighting",
       "IsChangeRGB_KeyboardLogitech", true},
  };
}

#undef CLICK
#undef NUMBER
#undef COLOUR
#undef ITEM

std::vector<bool*> AllFlags() {
  return {&core::IsFillingDesktopIndicator, &core::IsFillingDesktopBorder,
          &core::IsFillingMouseIndicator,   &core::IsFillingExcludeList,
          &core::IsFillingSystemTray,       &core::IsFillingCaretIndicator,
          &core::IsFillingExcludeList2,     &core::IsFillingRGBLighting,
          &core::IsStarting};
}

class PageHandlers : public PagesFixture {
 protected:
  // The value the settings file holds under the key; null when the file or the key is missing.
  core::Json SavedValue(const char* section, const char* key) {
    if (!sys->HasFile(kSettingsFile)) return nullptr;
    const core::Json file = core::ParseJsonText(SettingsText());
    const core::Json* s = core::FindMember(file, section);
    const core::Json* v = s != nullptr ? core::FindMember(*s, key) : nullptr;
    return v != nullptr ? *v : core::Json();
  }
};

TEST_F(PageHandlers, EveryBoundControlSavesOnceAndOnlyItsOwnFlagsHoldItOff) {
  auto& w = ShownMainWindow();
  const std::vector<HandlerRow> rows = Rows();
  ASSERT_EQ(rows.size(), 60u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Control);
    for (bool* flag : row.HeldOffBy) {
      const int before = Saves();
      *flag = true;
      row.Change(w);
      *flag = false;
      EXPECT_EQ(Saves(), before) << "held off: no save";
      EXPECT_NE(SavedValue(row.Section, row.Key), row.Saved);
      if (row.Also) {
        EXPECT_FALSE(row.Also(w)) << "held off: nothing else either";
      }
      // Refilled under the guards, the control shows the setting again.
      monitor::IsFirstShowDone = false;
      w.FormShow();
      ASSERT_EQ(Saves(), before);
    }
    // Every other flag raised: they belong to other pages, and do not hold this handler off.
    const int before = Saves();
    std::vector<bool*> others;
    for (bool* flag : AllFlags()) {
      if (std::find(row.HeldOffBy.begin(), row.HeldOffBy.end(), flag) == row.HeldOffBy.end()) {
        others.push_back(flag);
      }
    }
    for (bool* flag : others) *flag = true;
    row.Change(w);
    for (bool* flag : others) *flag = false;
    EXPECT_EQ(Saves(), before + 1) << "one save per change";
    EXPECT_EQ(SavedValue(row.Section, row.Key), row.Saved);
    if (row.Also) {
      EXPECT_TRUE(row.Also(w));
    }
  }
}

TEST_F(PageHandlers, IsStartingHoldsOffTheExclusionSwitchesAndTheCaretPosition) {
  auto& w = ShownMainWindow();
  core::IsStarting = true;
  w.swDontShowByWindowClass.Click();
  w.swDontShowByApplicationFilename2.Click();
  w.cbCaretIndicatorPosition.SetItemIndex(0);
  EXPECT_EQ(Saves(), 0);
  w.swShowTime.Click();
  EXPECT_EQ(Saves(), 1) << "the other handlers are held off by their guards only";
}

TEST_F(PageHandlers, TheExclusionSwitchesRebuildTheirFiltersBeforeTheSave) {
  auto& w = ShownMainWindow();
  ASSERT_FALSE(core::FilterWindowClass->empty());
  w.swDontShowByWindowClass.Click();
  EXPECT_TRUE(core::FilterWindowClass->empty());
  EXPECT_FALSE(S().SL_Exclude_WindowClass.empty());
  EXPECT_NE(SettingsText().find("\"IsDontShowByWindowClass\": false"), std::string::npos)
      << SettingsText();
  w.swDontShowByWindowClass.Click();
  EXPECT_EQ(core::FilterWindowClass->size(), 6u);
  EXPECT_EQ(core::FilterWindowClass->at(2), L"SHELL_TRAYWND");

  w.swDontShowByApplicationFilename2.Click();
  EXPECT_TRUE(core::FilterAppFileName2->empty());
  w.swDontShowByApplicationFilename2.Click();
  EXPECT_EQ(*core::FilterAppFileName2,
            (core::TStringList{L"SYSTEMSETTINGS.EXE", L"CALC.EXE", L"CALCULATORAPP.EXE"}));
  EXPECT_EQ(Saves(), 4);
}

TEST_F(PageHandlers, TheTrayPageShowsTheModesOnImageAtOnce) {
  auto& w = ShownMainWindow();
  w.grTray_CAPS_Mode.SetItemIndex(5);
  EXPECT_EQ(w.TrayIcon_CAPS.IconIndex(), 6);
  w.grTray_NumLock_Mode.SetItemIndex(0);
  EXPECT_EQ(w.TrayIcon_NumLock.IconIndex(), 1);
  w.sw_TrayShowNumLockIndicator.Click();
  EXPECT_FALSE(w.TrayIcon_NumLock.Visible());
  EXPECT_TRUE(w.TrayIcon_CAPS.Visible());
}

TEST_F(PageHandlers, TheColourDialogOpensOnTheButtonsColourAndSavesOnceOrTwice) {
  auto& w = ShownMainWindow();
  struct Case {
    ColorDialogAnswer Answer;
    int Saves;
    os::TColor After;
  };
  const Case cases[] = {
      {{ColorDialogAnswer::Cancel}, 0, 0x93DB70},
      {{ColorDialogAnswer::Keep}, 1, 0x93DB70},
      {{ColorDialogAnswer::Choose, 0x0000FF}, 2, 0x0000FF},
  };
  // The fake answers its dialogs in the order they open.
  for (const auto& c : cases) sys->ColorDialogAnswers.push_back(c.Answer);
  sys->ColorDialogAnswers.push_back({ColorDialogAnswer::Choose, 0x00FF00});
  sys->ColorDialogAnswers.push_back({ColorDialogAnswer::Choose, 0x00FF00});
  for (const auto& c : cases) {
    const int before = Saves();
    w.btnColor_Time_Font.Click();
    EXPECT_EQ(Saves() - before, c.Saves);
    EXPECT_EQ(w.btnColor_Time_Font.SelectionColor(), c.After);
  }
  ASSERT_EQ(sys->ColorDialogCalls.size(), 3u);
  EXPECT_EQ(sys->ColorDialogCalls[0].Initial, 0x93DB70);
  EXPECT_TRUE(sys->ColorDialogCalls[0].FullOpen);

  // One dialog for the three pages' buttons, each opening on its own colour.
  w.btnColor_MouseIndicator_Main_Background.Click();
  w.btnColor_CaretIndicator_Main_Font.Click();
  EXPECT_EQ(sys->ColorDialogCalls[3].Initial, 0xE1FFFF);
  EXPECT_EQ(sys->ColorDialogCalls[4].Initial, 0);
  EXPECT_EQ(S().MouseIndicator_Color_Main_Background, 0x00FF00);
  EXPECT_EQ(S().CaretIndicator_Color_Main_Font, 0x00FF00);
}

TEST_F(PageHandlers, TheEnableSwitchesSetTheRunTimeFlagsAndSaveNothing) {
  auto& w = ShownMainWindow();
  w.swEnabled_MouseIndicator.Click();
  EXPECT_FALSE(core::IsEnabled_MouseIndicator);
  EXPECT_TRUE(core::IsEnabled_AllIndicator);
  w.swEnabled_AllIndicator.SetChecked(false);
  EXPECT_FALSE(core::IsEnabled_AllIndicator);
  w.swEnabled_AllIndicator.Click();
  EXPECT_TRUE(core::IsEnabled_AllIndicator);
  EXPECT_EQ(Saves(), 0);
}

// --- Resets

TEST_F(PageHandlers, TheDesktopIndicatorResetSetsItsTableAndSavesPerChangePlusOnce) {
  auto& w = ShownMainWindow();
  // The row of the one scripted layout, English (United States).
  ui::TreeNode* row = w.vstLang_DesktopIndicator.FirstNode();
  ASSERT_NE(row, nullptr);
  row->Data<settings_window::TLangsData>().FontColor = 1;
  row->Data<settings_window::TLangsData>().BackgroundColor = 2;
  w.swShowDesktopIndicator.Click();
  const int before = Saves();
  w.btnDesktopIndicatorResetClick();
  // From the defaults, four colours change: Time font and background, Date font and background.
  EXPECT_EQ(Saves() - before, 5);
  EXPECT_EQ(S().BorderWidth, 2);
  EXPECT_EQ(S().Color_Led_Off, 0x808080);
  EXPECT_EQ(S().Color_Led_On, 0x00FF00);
  EXPECT_EQ(S().Panel_Time_Font_Color, 0xD4FF7F);
  EXPECT_EQ(S().Panel_Time_Color, 0x222222);
  EXPECT_EQ(S().Panel_Date_Font_Color, 0xFFF8F0);
  EXPECT_EQ(S().Panel_Date_Color, 0x333333);
  EXPECT_EQ(S().Color_Main_Font, 0xFFFFFF);
  EXPECT_EQ(S().Color_Main_Background, 0xCC6600);
  EXPECT_TRUE(S().IsShowTime);
  EXPECT_TRUE(S().IsShowDate);
  EXPECT_FALSE(S().IsColorsByLang);
  EXPECT_TRUE(S().IsTransparent);
  EXPECT_EQ(S().TransparentValue, 200);
  EXPECT_FALSE(S().IsShowDesktopIndicator) << "not reset";
  const auto& data = row->Data<settings_window::TLangsData>();
  EXPECT_EQ(data.FontColor, 0xFFFFFF);
  EXPECT_EQ(data.BackgroundColor, 0xCC6600);
  EXPECT_EQ(S().SL_Lang_Color_Background, (core::TStringList{L"US=0066CC"}));

  const int again = Saves();
  w.btnDesktopIndicatorResetClick();
  EXPECT_EQ(Saves() - again, 1) << "nothing changes the second time; only the reset's own save";
}

TEST_F(PageHandlers, TheMouseIndicatorResetKeepsCapsNumAndSavesTheTooltipColoursValue) {
  sys->SysColors[24] = 0x123456;
  auto& w = ShownMainWindow();
  w.swShowCapsNum_MouseIndicator.Click();
  w.swShowTime_MouseIndicator.Click();
  const int before = Saves();
  w.btnMouseIndicatorResetClick();
  // Show Time, the main background (to the system colour) and the time font change.
  EXPECT_EQ(Saves() - before, 4);
  EXPECT_TRUE(S().MouseIndicator_IsShow);
  EXPECT_TRUE(S().MouseIndicator_IsAutoHide);
  EXPECT_EQ(S().MouseIndicator_AutoHideSec, 3);
  EXPECT_TRUE(S().MouseIndicator_IsTransparent);
  EXPECT_EQ(S().MouseIndicator_TransparentValue, 220);
  EXPECT_FALSE(S().MouseIndicator_IsShowTime);
  EXPECT_FALSE(S().MouseIndicator_IsWindowInfo);
  EXPECT_FALSE(S().MouseIndicator_IsColorsByLang);
  EXPECT_EQ(S().MouseIndicator_Color_Main_Font, 0);
  EXPECT_EQ(S().MouseIndicator_Color_Main_Background, os::clInfoBk);
  EXPECT_EQ(S().MouseIndicator_Color_Led_Off, 0x808080);
  EXPECT_EQ(S().MouseIndicator_Color_Led_On, 0x00FF00);
  EXPECT_EQ(S().MouseIndicator_Panel_Time_Color, 0);
  EXPECT_EQ(S().MouseIndicator_Panel_Time_Font_Color, 0xD4FF7F);
  EXPECT_TRUE(S().MouseIndicator_IsShowCapsNum) << "not reset";
  EXPECT_NE(SettingsText().find("563412"), std::string::npos) << "the system colour's value";
}

TEST_F(PageHandlers, TheDesktopBorderResetSwitchesBothBordersOn) {
  auto& w = ShownMainWindow();
  w.cbShowWorkareaBorder_B.Click();
  const int before = Saves();
  w.btnDesktopBorderResetClick();
  EXPECT_EQ(Saves() - before, 4);  // two switches, one box, the reset's own
  EXPECT_EQ(S().DesktopBorderWidth, 2);
  EXPECT_TRUE(S().IsShowWorkareaBorder && S().IsShowTaskbarBorder);
  EXPECT_TRUE(S().ShowWorkareaBorder_L && S().ShowWorkareaBorder_R && S().ShowWorkareaBorder_T &&
              S().ShowWorkareaBorder_B);
  EXPECT_TRUE(S().ShowTaskbarBorder_L && S().ShowTaskbarBorder_R && S().ShowTaskbarBorder_T &&
              S().ShowTaskbarBorder_B);
}

TEST_F(PageHandlers, TheSystemTrayResetGivesModesTwoAndFive) {
  auto& w = ShownMainWindow();
  w.grTray_CAPS_Mode.SetItemIndex(6);
  w.sw_TrayShowNumLockIndicator.Click();
  const int before = Saves();
  w.btnSystemTrayIndicatorResetClick();
  EXPECT_EQ(Saves() - before, 3);
  EXPECT_TRUE(S().SystemTrayIndicator_IsShowCapsLockIndicator);
  EXPECT_TRUE(S().SystemTrayIndicator_IsShowNumLockIndicator);
  EXPECT_EQ(S().SystemTrayIndicator_CapsLockIndicatorMode, 1);
  EXPECT_EQ(S().SystemTrayIndicator_NumLockIndicatorMode, 4);
  EXPECT_EQ(w.grTray_CAPS_Mode.Items()[1], L"Mode 2");
  EXPECT_EQ(w.grTray_NumLock_Mode.Items()[4], L"Mode 5");
}

TEST_F(PageHandlers, TheCaretResetRestoresTheCaretDefaultsAndKeepsTheLanguageRows) {
  auto& w = ShownMainWindow();
  ui::TreeNode* row = w.vstLang_CaretIndicator.AddChild(
      nullptr, settings_window::TLangsData{L"EN", L"US", L"English", L"ENU", L"English", 1, 2});
  w.swShowCaretIndicator.Click();
  w.swShowCaretIndicatorCapsNum.Click();
  w.swCaretIndicatorAutoHide.Click();
  w.edCaretIndicatorAutoHideValue.SetValueInt(9);
  w.swCaretIndicatorTransparent.Click();
  w.edCaretIndicatorTransparentValue.SetValueInt(120);
  w.cbCaretIndicatorPosition.SetItemIndex(3);
  w.swColorsByLang_CaretIndicator.Click();
  w.btnColor_CaretIndicator_Main_Font.SetSelectionColor(0x0000FF);
  w.btnColor_CaretIndicator_Main_Background.SetSelectionColor(0x0000FF);
  w.swCaretIndicatorDrawBlackBorder.Click();
  const bool mouseCapsNum = S().MouseIndicator_IsShowCapsNum;
  const int before = Saves();
  w.SpeedButton5.Click();
  EXPECT_EQ(Saves() - before, 12) << "eleven controls change, then the reset's own save";
  // The defaults of a new settings object, typed from the settings model.
  EXPECT_TRUE(S().CaretIndicator_IsShow);
  EXPECT_TRUE(S().CaretIndicator_IsShowCapsNum);
  EXPECT_TRUE(S().CaretIndicator_IsAutoHide);
  EXPECT_EQ(S().CaretIndicator_AutoHideSec, 3);
  EXPECT_TRUE(S().CaretIndicator_IsTransparent);
  EXPECT_EQ(S().CaretIndicator_TransparentValue, 220);
  EXPECT_EQ(S().CaretIndicator_Positon, 1);
  EXPECT_TRUE(S().CaretIndicator_IsColorsByLang);
  EXPECT_EQ(S().CaretIndicator_Color_Main_Font, 0x000000);
  EXPECT_EQ(S().CaretIndicator_Color_Main_Background, 0xFFFFFF);
  EXPECT_TRUE(S().CaretIndicator_IsDrawBlackBorder);
  EXPECT_EQ(row->Data<settings_window::TLangsData>().FontColor, 1);
  EXPECT_EQ(S().MouseIndicator_IsShowCapsNum, mouseCapsNum) << "the mouse page is left alone";
}

// --- The border preview

TEST_F(PageHandlers, TheBorderPreviewFollowsTheControlsAndTheCurrentLanguagesRow) {
  sys->Dpi = 144;
  auto& w = ShownMainWindow();
  w.vstLang_DesktopBorder.AddChild(nullptr, settings_window::TLangsData{L"EN", L"US"});
  settings_window::TLangsData de{L"DE", L"DE"};
  de.BorderColor = 0x0000FF;
  w.vstLang_DesktopBorder.AddChild(nullptr, de);
  de.BorderColor = 0x00FF00;  // a second row of the same country does not count
  w.vstLang_DesktopBorder.AddChild(nullptr, de);
  monitor::fLangInfo->L_Lang.SetHint(L"DE");
  w.swShowWorkareaBorder.SetChecked(true);
  w.cbShowWorkareaBorder_R.SetChecked(false);
  w.edDesktopBorderWidth.SetValueInt(4);
  w.UpdateDesktopBorderPreview();

  EXPECT_EQ(w.ShapeLineL.Width(), 6);
  EXPECT_EQ(w.ShapeLineR2.Width(), 6);
  EXPECT_EQ(w.ShapeLineT.Height(), 6);
  EXPECT_EQ(w.ShapeLineB2.Height(), 6);
  for (ui::Shape* s : {&w.ShapeLineL, &w.ShapeLineB2}) {
    EXPECT_EQ(s->BrushColor(), 0x0000FF);
    EXPECT_EQ(s->PenColor(), 0x0000FF);
  }
  EXPECT_TRUE(w.ShapeLineL.Visible() && w.ShapeLineT.Visible() && w.ShapeLineB.Visible());
  EXPECT_FALSE(w.ShapeLineR.Visible());
  EXPECT_FALSE(w.ShapeLineL2.Visible() || w.ShapeLineR2.Visible() || w.ShapeLineT2.Visible() ||
               w.ShapeLineB2.Visible())
      << "the taskbar border is off by default";

  monitor::fLangInfo->L_Lang.SetHint(L"de");  // exact comparison
  w.UpdateDesktopBorderPreview();
  EXPECT_EQ(w.ShapeLineL.BrushColor(), 0x808080);
}

// --- Autorun

class Autorun : public PagesFixture {
 protected:
  static constexpr wchar_t kRun[] = L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN";
  bool ValuePresent() {
    auto it = sys->Registry.find(kRun);
    return it != sys->Registry.end() && it->second.count(L"HALVARIN") != 0;
  }
};

TEST_F(Autorun, TheSwitchWritesOrDeletesTheValueAndShowsWhatTheRegistryHolds) {
  struct Case {
    const char* Name;
    bool SwitchOn;                 // the user's click turns the switch on, or off
    bool KeyBefore, ValueBefore;   // the registry right before the click
    bool OpenFails, WriteFails, DeleteFails;
    bool ValueAfter, SwitchAfter;  // the switch shows what the registry holds
    size_t Messages;
  };
  const Case cases[] = {
      {"on, no key: key and value made", true, false, false, false, false, false, true, true, 0},
      {"on, value there: overwritten", true, true, true, false, false, false, true, true, 0},
      {"off, value there: deleted", false, true, true, false, false, false, false, false, 0},
      {"off, no value: nothing", false, true, false, false, false, false, false, false, 0},
      {"off, no key: nothing", false, false, false, false, false, false, false, false, 0},
      {"on, key cannot be opened", true, false, false, true, false, false, false, false, 1},
      {"on, write fails", true, true, false, false, true, false, false, false, 1},
      {"off, delete fails", false, true, true, false, false, true, true, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    sys->Registry.clear();
    sys->RegistryData.clear();
    sys->MessageBoxes.clear();
    sys->RegistryKeyOpenFails = sys->RegistryWriteFails = sys->RegistryDeleteFails = false;
    auto& w = ShownMainWindow();
    if (!c.SwitchOn) w.swAutorun.Click();  // on first, so that the click turns it off
    sys->Registry.clear();
    sys->RegistryData.clear();
    if (c.KeyBefore) sys->Registry[kRun] = {};
    if (c.ValueBefore) {
      sys->Registry[kRun].insert(L"HALVARIN");
      sys->RegistryData[{kRun, L"HALVARIN"}] = L"old";
    }
    sys->RegistryKeyOpenFails = c.OpenFails;
    sys->RegistryWriteFails = c.WriteFails;
    sys->RegistryDeleteFails = c.DeleteFails;
    const auto mainWindow = reinterpret_cast<std::uintptr_t>(w.Handle());  // the page is on screen
    w.swAutorun.Click();
    sys->RegistryKeyOpenFails = false;
    EXPECT_EQ(ValuePresent(), c.ValueAfter);
    if (c.ValueAfter && c.SwitchOn) {
      EXPECT_EQ((sys->RegistryData[{kRun, L"HALVARIN"}]), L"\"" + sys->ExePath + L"\"");
    }
    EXPECT_EQ(w.swAutorun.Checked(), c.SwitchAfter);
    EXPECT_EQ(sys->MessageBoxes.size(), c.Messages);
    if (!sys->MessageBoxes.empty()) {
      EXPECT_EQ(sys->MessageBoxes[0].Owner.Value, mainWindow)
          << "above the main window, also when it is topmost";
    }
    EXPECT_EQ(Saves(), 0) << "the settings file is not touched";
  }
}

TEST_F(Autorun, TheValueHoldsTheQuotedExecutablePath) {
  sys->ExePath = L"C:\\Program Files\\Halvarin\\Halvarin.exe";
  auto& w = ShownMainWindow();
  w.swAutorun.Click();
  EXPECT_EQ((sys->RegistryData[{kRun, L"HALVARIN"}]),
            L"\"C:\\Program Files\\Halvarin\\Halvarin.exe\"");
}

TEST_F(Autorun, NothingHappensWhileStarting) {
  auto& w = ShownMainWindow();
  core::IsStarting = true;
  w.swAutorun.Click();
  EXPECT_FALSE(ValuePresent());
  EXPECT_TRUE(w.swAutorun.Checked());
}

}  // namespace
