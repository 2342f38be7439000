// The page handlers: each change saves once, its page's guard holds it off, and the few that
// act on the running program do so.
#include <gtest/gtest.h>

#include <functional>

#include "core/color_text.h"
#include "pages_fixture.h"
#include "settings_window/lang_data.h"

namespace {

using monitor::TfMain;
using testing_support::ColorDialogAnswer;
using testing_support::PagesFixture;

struct HandlerRow {
  const char* Control;
  std::function<void(TfMain&)> Change;  // what the user does
  bool* Guard;
  std::function<bool(const core::TSettings&)> Saved;  // the change is in the settings
};

std::vector<HandlerRow> Rows() {
  using S = const core::TSettings&;
  return {
      {"edBorderWidth", [](TfMain& m) { m.edBorderWidth.SetValueInt(0); },
       &core::IsFillingDesktopIndicator, [](S s) { return s.BorderWidth == 0; }},
      {"edTransparent", [](TfMain& m) { m.edTransparent.SetValueInt(150); },
       &core::IsFillingDesktopIndicator, [](S s) { return s.TransparentValue == 150; }},
      {"swShowDesktopIndicator", [](TfMain& m) { m.swShowDesktopIndicator.Click(); },
       &core::IsFillingDesktopIndicator, [](S s) { return !s.IsShowDesktopIndicator; }},
      {"swColorsByLang", [](TfMain& m) { m.swColorsByLang.Click(); },
       &core::IsFillingDesktopIndicator, [](S s) { return s.IsColorsByLang; }},
      {"btnColor_Main_Background",
       [](TfMain& m) { m.btnColor_Main_Background.SetSelectionColor(0x123456); },
       &core::IsFillingDesktopIndicator, [](S s) { return s.Color_Main_Background == 0x123456; }},
      {"edDesktopBorderWidth", [](TfMain& m) { m.edDesktopBorderWidth.SetValueInt(7); },
       &core::IsFillingDesktopBorder, [](S s) { return s.DesktopBorderWidth == 7; }},
      {"cbShowTaskbarBorder_T", [](TfMain& m) { m.cbShowTaskbarBorder_T.Click(); },
       &core::IsFillingDesktopBorder, [](S s) { return !s.ShowTaskbarBorder_T; }},
      {"swShowWorkareaBorder", [](TfMain& m) { m.swShowWorkareaBorder.Click(); },
       &core::IsFillingDesktopBorder, [](S s) { return s.IsShowWorkareaBorder; }},
      {"edMouseIndicatorAutoHideSec", [](TfMain& m) { m.edMouseIndicatorAutoHideSec.SetValueInt(9); },
       &core::IsFillingMouseIndicator, [](S s) { return s.MouseIndicator_AutoHideSec == 9; }},
      {"swShowCapsNum_MouseIndicator", [](TfMain& m) { m.swShowCapsNum_MouseIndicator.Click(); },
       &core::IsFillingMouseIndicator, [](S s) { return s.MouseIndicator_IsShowCapsNum; }},
      {"btnColor_MouseIndicator_Main_Font",
       [](TfMain& m) { m.btnColor_MouseIndicator_Main_Font.SetSelectionColor(0x0000FF); },
       &core::IsFillingMouseIndicator,
       [](S s) { return s.MouseIndicator_Color_Main_Font == 0x0000FF; }},
      {"btnColor_MouseIndicator_Led_On",
       [](TfMain& m) { m.btnColor_MouseIndicator_Led_On.SetSelectionColor(0x0000FF); },
       &core::IsFillingMouseIndicator,
       [](S s) { return s.MouseIndicator_Color_Led_On == 0x0000FF; }},
      {"grTray_NumLock_Mode", [](TfMain& m) { m.grTray_NumLock_Mode.SetItemIndex(6); },
       &core::IsFillingSystemTray,
       [](S s) { return s.SystemTrayIndicator_NumLockIndicatorMode == 6; }},
      {"sw_TrayShowCapsLockIndicator", [](TfMain& m) { m.sw_TrayShowCapsLockIndicator.Click(); },
       &core::IsFillingSystemTray,
       [](S s) { return !s.SystemTrayIndicator_IsShowCapsLockIndicator; }},
      {"edCaretIndicatorTransparentValue",
       [](TfMain& m) { m.edCaretIndicatorTransparentValue.SetValueInt(101); },
       &core::IsFillingCaretIndicator,
       [](S s) { return s.CaretIndicator_TransparentValue == 101; }},
      {"swCaretIndicatorDrawBlackBorder",
       [](TfMain& m) { m.swCaretIndicatorDrawBlackBorder.Click(); }, &core::IsFillingCaretIndicator,
       [](S s) { return !s.CaretIndicator_IsDrawBlackBorder; }},
      {"swColorsByLang_CaretIndicator", [](TfMain& m) { m.swColorsByLang_CaretIndicator.Click(); },
       &core::IsFillingCaretIndicator, [](S s) { return !s.CaretIndicator_IsColorsByLang; }},
      {"btnColor_CaretIndicator_Main_Background",
       [](TfMain& m) { m.btnColor_CaretIndicator_Main_Background.SetSelectionColor(0x00FF00); },
       &core::IsFillingCaretIndicator,
       [](S s) { return s.CaretIndicator_Color_Main_Background == 0x00FF00; }},
      {"cbCaretIndicatorPosition", [](TfMain& m) { m.cbCaretIndicatorPosition.SetItemIndex(3); },
       &core::IsFillingCaretIndicator, [](S s) { return s.CaretIndicator_Positon == 3; }},
      {"swDontShowByWindowClass", [](TfMain& m) { m.swDontShowByWindowClass.Click(); },
       &core::IsFillingExcludeList, [](S s) { return !s.IsDontShowByWindowClass; }},
      {"swDontShowByApplicationFilename2",
       [](TfMain& m) { m.swDontShowByApplicationFilename2.Click(); }, &core::IsFillingExcludeList2,
       [](S s) { return !s.IsDontShowByApplicationFilename2; }},
      {"swChangeRGB_KeyboardLogitech", [](TfMain& m) { m.swChangeRGB_KeyboardLogitech.Click(); },
       &core::IsFillingRGBLighting, [](S s) { return s.IsChangeRGB_KeyboardLogitech; }},
  };
}

class PageHandlers : public PagesFixture {};

TEST_F(PageHandlers, EachChangeSavesOnceAndItsPageGuardHoldsItOff) {
  auto& w = ShownMainWindow();
  for (const auto& row : Rows()) {
    const int before = Saves();
    *row.Guard = true;
    row.Change(w);
    *row.Guard = false;
    EXPECT_EQ(Saves(), before) << row.Control << ": held off by its page's guard";
    EXPECT_FALSE(row.Saved(S())) << row.Control;
    // Refilled under the guards, the control shows the setting again; now the change saves.
    monitor::IsFirstShowDone = false;
    w.FormShow();
    EXPECT_EQ(Saves(), before) << row.Control;
    row.Change(w);
    EXPECT_EQ(Saves(), before + 1) << row.Control;
    EXPECT_TRUE(row.Saved(S())) << row.Control;
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
