// The monitoring pass: its throttle, the layout and flag, the notification-area icons, the lock
// keys, the desktop and mouse indicators' content, the hot keys, the order of the steps, and
// what a pass with nothing new costs.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "monitor/globals.h"
#include "os/system.h"
#include "pass_fixture.h"
#include "settings_window/lang_data.h"
#include "settings_window/string_data.h"
#include "tray/data_module.h"
#include "ui/application.h"
#include "ui/native_calls.h"

namespace {

using monitor::fLangInfo;
using monitor::fLangInfoCaret;
using monitor::fLangInfoMouse;
using testing_support::kLayoutDE;
using testing_support::kLayoutEsUS;
using testing_support::kLayoutRU;

class MonitoringPass : public testing_support::PassFixture {};

TEST_F(MonitoringPass, RunsAtMostOncePer50Milliseconds) {
  Start();
  Pass();
  ASSERT_EQ(fLangInfo->L_Lang.Caption(), L"EN");
  sys->SwitchLayout(notepad, kLayoutDE);
  const std::int64_t last = core::LastPassStamp;
  sys->Counter = last + kTick - 1;
  main->DetectKeysStatus();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"EN") << "a call within 0.05 s changes nothing";
  EXPECT_EQ(core::LastPassStamp, last);
  sys->Counter = last + kTick;
  main->DetectKeysStatus();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"DE") << "exactly 0.05 s later it runs";
  EXPECT_EQ(core::LastPassStamp, last + kTick);
}

TEST_F(MonitoringPass, TheFirstPassAfterCreationIsNotThrottledAway) {
  Start();
  sys->Counter += kTick;  // the start timer fires 300 ms after creation; 50 ms suffice
  main->DetectKeysStatus();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"EN");
}

TEST_F(MonitoringPass, WithoutAForegroundCountryOnlyTheStampsAndTheMouseIndicatorChange) {
  Start();
  Pass();
  fLangInfoMouse->Show();
  S().MouseIndicator_IsShow = false;
  S().IsShowDesktopIndicator = false;
  sys->KeysToggled = {os::kVkCapital};
  for (auto foreground : {os::WindowId{}, sys->AddApp(L"C:\\x.exe", L"X", 0x04000400)}) {
    sys->Foreground = foreground;
    Pass();
    EXPECT_EQ(core::LastPassStamp, sys->Counter);
    EXPECT_FALSE(fLangInfoMouse->Visible()) << "step 2 runs before the layout is read";
    EXPECT_FALSE(fLangInfo->L_CAPS.GetFont().Bold) << "the lock keys are not read";
    EXPECT_EQ(main->TrayIcon_CAPS.IconIndex(), 0) << "as the first pass left it";
  }
}

TEST_F(MonitoringPass, LanguageFlagAndTrayIconFollowTheForegroundLayout) {
  Start();
  const int us = tray::DM->IL_Flag25.FindIndexByName(L"us");
  const int de = tray::DM->IL_Flag25.FindIndexByName(L"de");
  ASSERT_GE(us, 0);
  ASSERT_GE(de, 0);
  Pass();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"EN");
  EXPECT_EQ(fLangInfo->L_Lang.Hint(), L"US");
  EXPECT_EQ(fLangInfo->L_Lang.ImageIndex(), us);
  EXPECT_EQ(main->TrayIcon.IconIndex(), us);
  sys->SwitchLayout(notepad, kLayoutDE);
  Pass();
  for (auto* label : {&fLangInfo->L_Lang, &fLangInfoMouse->L_Lang}) {
    EXPECT_EQ(label->Caption(), L"DE");
    EXPECT_EQ(label->Hint(), L"DE");
    EXPECT_EQ(label->ImageIndex(), de);
  }
  EXPECT_EQ(main->TrayIcon.IconIndex(), de);
}

TEST_F(MonitoringPass, ALayoutWithoutAFlagKeepsTheDesktopIndicatorAndShowsTheMouseIndicatorWithoutOne) {
  Start();
  Pass();
  sys->SwitchLayout(notepad, kLayoutRU);
  Pass();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"EN");
  EXPECT_EQ(fLangInfo->L_Lang.ImageIndex(), tray::DM->IL_Flag25.FindIndexByName(L"us"));
  EXPECT_EQ(fLangInfoMouse->L_Lang.Caption(), L"RU");
  EXPECT_EQ(fLangInfoMouse->L_Lang.Hint(), L"RU");
  EXPECT_EQ(fLangInfoMouse->L_Lang.ImageIndex(), -1);
  EXPECT_EQ(main->TrayIcon.IconIndex(), -1);
}

TEST_F(MonitoringPass, TwoLayoutsOfOneCountryChangeOnlyTheCaretIndicatorsText) {
  Start();
  sys->PlaceCaret(notepad, {50, 60, 51, 76});
  Pass();
  sys->SwitchLayout(notepad, kLayoutEsUS);
  Pass();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"EN");
  EXPECT_EQ(fLangInfoMouse->L_Lang.Caption(), L"EN");
  EXPECT_EQ(fLangInfoCaret->L_Lang.Caption(), L"ES");
}

// Caps Lock and Num Lock on every indicator and in the notification area. Defaults: Caps mode 1
// shows image 2 when on, Num mode 4 image 5; off is image 0.
TEST_F(MonitoringPass, LockKeysShowOnEveryIndicator) {
  Start();
  S().Color_Led_On = 0x00FF11;
  S().Color_Led_Off = 0x111111;
  S().MouseIndicator_Color_Led_On = 0x2222FF;
  S().MouseIndicator_Color_Led_Off = 0x333333;
  Pass();  // the lamp colours are taken for the next pass
  struct Case {
    std::set<int> Toggled;
    std::set<int> Down;
    bool Caps, Num;
  } cases[] = {
      {{os::kVkCapital}, {}, true, false},
      {{os::kVkNumLock}, {}, false, true},
      {{}, {os::kVkCapital}, false, false},  // held down, toggle off: off
      {{os::kVkCapital, os::kVkNumLock}, {}, true, true},
      {{}, {}, false, false},
  };
  for (const Case& c : cases) {
    sys->KeysToggled = c.Toggled;
    sys->KeysDown = c.Down;
    Pass();
    EXPECT_EQ(fLangInfo->L_CAPS.GetFont().Bold, c.Caps);
    EXPECT_EQ(fLangInfo->L_NUM.GetFont().Bold, c.Num);
    EXPECT_EQ(fLangInfoMouse->L_CAPS.GetFont().Bold, c.Caps);
    EXPECT_EQ(fLangInfoMouse->L_NUM.GetFont().Bold, c.Num);
    EXPECT_EQ(fLangInfo->Panel_CapsInd.Color(), c.Caps ? 0x00FF11 : 0x111111);
    EXPECT_EQ(fLangInfo->Panel_NumInd.Color(), c.Num ? 0x00FF11 : 0x111111);
    EXPECT_EQ(fLangInfoMouse->Panel_CapsInd.Color(), c.Caps ? 0x2222FF : 0x333333);
    EXPECT_EQ(fLangInfoMouse->Panel_NumInd.Color(), c.Num ? 0x2222FF : 0x333333);
    EXPECT_EQ(fLangInfoCaret->L_CAPS.GetFont().Color, c.Caps ? 0x000000 : 0x808080);
    EXPECT_EQ(fLangInfoCaret->L_NUM.GetFont().Color, c.Num ? 0x000000 : 0x808080);
    EXPECT_EQ(fLangInfoCaret->L_CAPS.GetFont().Bold, c.Caps);
    EXPECT_EQ(main->TrayIcon_CAPS.IconIndex(), c.Caps ? 2 : 0);
    EXPECT_EQ(main->TrayIcon_NumLock.IconIndex(), c.Num ? 5 : 0);
  }
}

TEST_F(MonitoringPass, EachTrayModeShowsItsOwnOnImage) {
  Start();
  sys->KeysToggled = {os::kVkCapital, os::kVkNumLock};
  for (int mode = 0; mode <= 6; ++mode) {
    S().SystemTrayIndicator_CapsLockIndicatorMode = mode;
    S().SystemTrayIndicator_NumLockIndicatorMode = 6 - mode;
    Pass();
    EXPECT_EQ(main->TrayIcon_CAPS.IconIndex(), mode + 1);
    EXPECT_EQ(main->TrayIcon_NumLock.IconIndex(), 7 - mode);
  }
}

TEST_F(MonitoringPass, AModeNoPageWritesShowsNoImageWhileTheLockIsOn) {
  Start();
  // Modes 0 to 6 are the page's; the others come only from a hand-edited file.
  for (const int mode : {-1, 7, -2147483647 - 1, 2147483647}) {
    SCOPED_TRACE(mode);
    S().SystemTrayIndicator_CapsLockIndicatorMode = mode;
    S().SystemTrayIndicator_NumLockIndicatorMode = mode;
    sys->KeysToggled = {os::kVkCapital, os::kVkNumLock};
    Pass();
    EXPECT_EQ(main->TrayIcon_CAPS.IconIndex(), -1) << "neither the off image nor another index";
    EXPECT_EQ(main->TrayIcon_NumLock.IconIndex(), -1);
    sys->KeysToggled = {};
    Pass();
    EXPECT_EQ(main->TrayIcon_CAPS.IconIndex(), 0) << "off is the off image, whatever the mode";
    EXPECT_EQ(main->TrayIcon_NumLock.IconIndex(), 0);
  }
}

TEST_F(MonitoringPass, AHiddenLockIconKeepsItsImage) {
  Start();
  S().SystemTrayIndicator_IsShowCapsLockIndicator = false;
  sys->KeysToggled = {os::kVkCapital};
  Pass();
  EXPECT_FALSE(main->TrayIcon_CAPS.Visible());
  EXPECT_EQ(main->TrayIcon_CAPS.IconIndex(), 1) << "as created";
  EXPECT_TRUE(main->TrayIcon_NumLock.Visible());
}

// The desktop indicator's width is the language label, the clock and the date with a plain 10
// pixel gap after them, and the right panel. Sizes of the indicator's layout: L_Lang at 85 and
// 58 wide, the clock 80, the date 160, PanelR 50 (96 DPI).
struct DesktopCase {
  int Dpi;
  bool Time, Date;
  int Width;
  int DateLeft;  // -1: the date hidden
};

class PassDesktopWidth : public testing_support::PassFixture,
                         public ::testing::WithParamInterface<DesktopCase> {};

TEST_P(PassDesktopWidth, FollowsTheClockAndDatePanels) {
  const DesktopCase& c = GetParam();
  sys->Dpi = c.Dpi;
  Start();
  S().IsShowTime = c.Time;
  S().IsShowDate = c.Date;
  Pass();
  EXPECT_EQ(fLangInfo->Width(), c.Width);
  EXPECT_EQ(fLangInfo->Panel_Time.Visible(), c.Time);
  EXPECT_EQ(fLangInfo->Panel_Date.Visible(), c.Date);
  if (c.DateLeft >= 0) {
    EXPECT_EQ(fLangInfo->Panel_Date.Left(), c.DateLeft);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PassDesktopWidth,
    ::testing::Values(DesktopCase{96, true, true, 85 + 58 + 80 + 160 + 10 + 50, 85 + 58 + 4 + 80},
                      DesktopCase{96, true, false, 85 + 58 + 80 + 10 + 50, -1},
                      DesktopCase{96, false, true, 85 + 58 + 160 + 10 + 50, 85 + 58 + 4},
                      DesktopCase{96, false, false, 85 + 58 + 50, -1},
                      DesktopCase{144, true, true, 128 + 87 + 120 + 240 + 10 + 75,
                                  128 + 87 + 6 + 120},
                      DesktopCase{144, false, false, 128 + 87 + 75, -1}));

TEST_F(MonitoringPass, TheDesktopFrameIsScaledAndTheRightLineStaysAtTheRightEdge) {
  sys->Dpi = 144;
  Start();
  S().BorderWidth = 2;
  Pass();
  auto& w = *fLangInfo;
  EXPECT_EQ(w.PanelBorderL.Width(), 3);
  EXPECT_EQ(w.PanelBorderT.Height(), 3);
  EXPECT_EQ(w.PanelBorderR.Left(), w.Width() - 3);
  EXPECT_EQ(w.PanelR.Left() + w.PanelR.Width(), w.Width() - 3) << "PanelR inside the frame";
  EXPECT_EQ(w.L_Lang.Top(), 3);
  EXPECT_EQ(w.L_Lang.Height(), 45 - 6);
  EXPECT_EQ(w.Panel_Time.Top(), 3);
  EXPECT_EQ(w.Panel_Time.Height(), 45 - 6);
  EXPECT_EQ(w.btnSettings.Top(), w.PanelR.Height() / 2 - w.btnSettings.Height() / 2);
}

TEST_F(MonitoringPass, ANegativeDesktopFrameIsDrawnAsNone) {
  sys->Dpi = 144;
  Start();
  auto& w = *fLangInfo;
  for (const int width : {-1, -2147483647 - 1}) {
    SCOPED_TRACE(width);
    S().BorderWidth = width;
    Pass();
    EXPECT_EQ(w.PanelBorderL.Width(), 0);
    EXPECT_EQ(w.PanelBorderT.Height(), 0);
    EXPECT_EQ(w.L_Lang.Top(), 0);
    EXPECT_EQ(w.L_Lang.Height(), 45) << "the whole window's height, Scale(30)";
    EXPECT_EQ(w.Panel_Time.Height(), 45);
    EXPECT_EQ(S().BorderWidth, width) << "the setting stays as read";
  }
}

TEST_F(MonitoringPass, DesktopIndicatorTakesTransparencyAndFixedColours) {
  Start();
  S().TransparentValue = 0x1FF;
  S().IsTransparent = true;
  S().Color_Main_Background = 0x123456;
  S().Color_Main_Font = 0x654321;
  S().Panel_Time_Color = 0x010203;
  S().Panel_Date_Font_Color = 0x0A0B0C;
  Pass();
  EXPECT_EQ(fLangInfo->AlphaBlendValue(), 0xFF) << "the low byte";
  EXPECT_TRUE(fLangInfo->AlphaBlend());
  EXPECT_EQ(fLangInfo->Color(), 0x123456);
  EXPECT_EQ(fLangInfo->Panel_Caps_Nums.Color(), 0x123456);
  EXPECT_EQ(fLangInfo->PanelR.Color(), 0x123456);
  for (auto* l : {&fLangInfo->L_CAPS, &fLangInfo->L_NUM}) EXPECT_EQ(l->GetFont().Color, 0x654321);
  EXPECT_EQ(fLangInfo->L_Lang.GetFont().Color, 0x654321);
  EXPECT_EQ(fLangInfo->Panel_Time.Color(), 0x010203);
  EXPECT_EQ(fLangInfo->Panel_Date.GetFont().Color, 0x0A0B0C);
}

// Per-language colours: the language's entry, else "US", else the tooltip background; a text
// that is not a colour counts as no entry.
struct ColourCase {
  const char* Name;
  core::TStringList List;
  os::TColor Desktop;
};

class PassColours : public testing_support::PassFixture,
                    public ::testing::WithParamInterface<ColourCase> {};

TEST_P(PassColours, ComeFromTheLanguageThenUsThenTheTooltipColour) {
  Start();
  S().IsColorsByLang = true;
  S().MouseIndicator_IsColorsByLang = true;
  S().SL_Lang_Color_Background = GetParam().List;
  S().SL_Lang_Color_Font = GetParam().List;
  S().MouseIndicator_SL_Lang_Color_Background = GetParam().List;
  S().MouseIndicator_SL_Lang_Color_Font = GetParam().List;
  for (ui::Label* l : {static_cast<ui::Label*>(&fLangInfoMouse->L_Lang), &fLangInfoMouse->L_CAPS,
                        &fLangInfoMouse->L_NUM}) {
    l->SetFontColor(0x0A0A0A);
  }
  sys->SwitchLayout(notepad, kLayoutDE);
  Pass();
  EXPECT_EQ(fLangInfo->Color(), GetParam().Desktop);
  EXPECT_EQ(fLangInfo->L_Lang.GetFont().Color, GetParam().Desktop);
  EXPECT_EQ(fLangInfoMouse->Color(), GetParam().Desktop);
  // The mouse indicator's text takes only the language's own entry.
  const auto own = core::FindEntryValue(GetParam().List, L"de");
  const os::TColor mouseText = own && *own == L"0000FF" ? 0xFF0000 : 0x0A0A0A;
  EXPECT_EQ(fLangInfoMouse->L_Lang.GetFont().Color, mouseText);
  EXPECT_EQ(fLangInfoMouse->L_CAPS.GetFont().Color, fLangInfoMouse->L_Lang.GetFont().Color);
  EXPECT_EQ(fLangInfoMouse->L_WindowClass.GetFont().Color, mouseText);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, PassColours,
    ::testing::Values(ColourCase{"own", {L"US=00FF00", L"de=0000FF"}, 0xFF0000},
                      ColourCase{"us", {L"US=00FF00", L"FR=0000FF"}, 0x00FF00},
                      ColourCase{"none", {L"FR=0000FF"}, os::clInfoBk},
                      ColourCase{"notHex", {L"DE=zz0000", L"US=00FF00"}, 0x00FF00},
                      ColourCase{"firstWins", {L"DE=0000FF", L"DE=FFFFFF"}, 0xFF0000}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MonitoringPass, MouseIndicatorTakesFixedColoursAndTransparency) {
  Start();
  S().MouseIndicator_Color_Main_Background = 0x445566;
  S().MouseIndicator_Color_Main_Font = 0x778899;
  S().MouseIndicator_TransparentValue = 100;
  S().MouseIndicator_IsTransparent = false;
  Pass();
  EXPECT_EQ(fLangInfoMouse->Color(), 0x445566);
  EXPECT_EQ(fLangInfoMouse->PanelMainInfo.Color(), 0x445566);
  EXPECT_EQ(fLangInfoMouse->L_NUM.GetFont().Color, 0x778899);
  EXPECT_EQ(fLangInfoMouse->L_AppName.GetFont().Color, 0x778899);
  EXPECT_EQ(fLangInfoMouse->AlphaBlendValue(), 100);
  EXPECT_FALSE(fLangInfoMouse->AlphaBlend());
}

// Order of the steps, seen through what one step leaves for a later one or for the next pass.
TEST_F(MonitoringPass, LampColoursChangedInAPassShowFromTheNextOne) {
  Start();
  sys->KeysToggled = {os::kVkCapital};
  Pass();
  S().Color_Led_On = 0x0000AA;
  Pass();
  EXPECT_NE(fLangInfo->Panel_CapsInd.Color(), 0x0000AA) << "the lock keys run before the desktop step";
  Pass();
  EXPECT_EQ(fLangInfo->Panel_CapsInd.Color(), 0x0000AA);
}

TEST_F(MonitoringPass, AltPauseTogglesEveryIndicatorFromTheNextPass) {
  Start();
  S().IsShowWorkareaBorder = true;
  Advance(1.0);
  Pass();
  ASSERT_TRUE(fLangInfo->Visible());
  sys->KeysDown = {os::kVkMenu, os::kVkPause};
  Pass();
  EXPECT_FALSE(core::IsEnabled_AllIndicator);
  EXPECT_TRUE(fLangInfo->Visible()) << "this pass has already drawn them";
  EXPECT_TRUE(monitor::fWorkareaBorderL->Visible());
  sys->KeysDown = {};
  Pass();
  EXPECT_FALSE(fLangInfo->Visible());
  EXPECT_FALSE(monitor::fWorkareaBorderL->Visible());
  EXPECT_EQ(fLangInfoCaret->Tag, 0);
}

// Alt + Pause with the manual clock: more than 0.5 s since creation or since the last toggle.
TEST_F(MonitoringPass, AltPauseTogglesAtMostOnceInHalfASecond) {
  Start();
  sys->KeysDown = {os::kVkMenu, os::kVkPause};
  Pass();  // 0.05 s after creation
  EXPECT_TRUE(core::IsEnabled_AllIndicator) << "too soon after creation";
  Advance(0.5);
  Pass();
  EXPECT_FALSE(core::IsEnabled_AllIndicator);
  for (int i = 0; i < 9; ++i) Pass();  // held down for 0.45 s more
  EXPECT_FALSE(core::IsEnabled_AllIndicator);
  Pass();  // 0.5 s: not more than 0.5
  EXPECT_FALSE(core::IsEnabled_AllIndicator);
  Pass();
  EXPECT_TRUE(core::IsEnabled_AllIndicator) << "held: again after more than 0.5 s";
  sys->KeysDown = {os::kVkPause};
  Advance(2);
  Pass();
  EXPECT_TRUE(core::IsEnabled_AllIndicator) << "Pause alone does nothing";
}

TEST_F(MonitoringPass, CopyChordsNeverPutTheUiThreadToSleep) {
  Start();
  for (auto keys : {std::set<int>{os::kVkLShift, os::kVkRShift},
                    std::set<int>{os::kVkLMenu, os::kVkRMenu}}) {
    sys->KeysDown = keys;
    Pass();
    Pass();
  }
  EXPECT_TRUE(sys->Sleeps.empty());
}

// --- The copy chords. The mouse indicator shows notepad's class and program; the copies' boxes
// tell which chord acted: "Shift" (class and program), "Alt" (program only).
class CopyChords : public testing_support::PassFixture {
 protected:
  void SetUp() override {
    PassFixture::SetUp();
    Start();
    fLangInfoMouse->L_WindowClass.SetCaption(L"Notepad");
    fLangInfoMouse->L_AppName.SetCaption(L"notepad.exe");
  }
  std::vector<std::string> Copies() {
    std::vector<std::string> chords;
    for (const auto& box : sys->MessageBoxes) {
      chords.push_back(box.Text.rfind(L"Window Class: Notepad", 0) == 0 ? "Shift"
                       : box.Text.rfind(L"App Name: notepad.exe", 0) == 0 ? "Alt"
                                                                          : "other");
    }
    return chords;
  }
  using Chords = std::vector<std::string>;
  const std::set<int> kShift{os::kVkLShift, os::kVkRShift};
  const std::set<int> kBoth{os::kVkLShift, os::kVkRShift, os::kVkLMenu, os::kVkRMenu};
};

TEST_F(CopyChords, BothChordsHeldCopyInTheSamePassShiftFirst) {
  sys->KeysDown = kBoth;
  Pass();
  EXPECT_EQ(Copies(), (Chords{"Shift", "Alt"}));
  ui::TreeList& classes = main->vstExclude_WindowClass;
  ui::TreeList& caretApps = main->vstExclude_AppName2;
  ASSERT_GT(classes.RootCount(), 0);
  ASSERT_GT(caretApps.RootCount(), 0);
  EXPECT_EQ(classes.Root(classes.RootCount() - 1)->Data<settings_window::TStringData>().EntryText,
            L"Notepad");
  EXPECT_EQ(
      caretApps.Root(caretApps.RootCount() - 1)->Data<settings_window::TStringData>().EntryText,
      L"notepad.exe");
}

// A chord held down copies again 300 ms after its last copy; the other chord's copies do not
// hold it back. Passes run every 0.05 s.
TEST_F(CopyChords, EachChordWaits300MillisecondsAfterItsOwnCopyOnly) {
  sys->KeysDown = kShift;
  Pass();  // 0.00: Shift
  Pass();
  Pass();
  sys->KeysDown = kBoth;
  Pass();  // 0.15: Alt, while Shift is held off
  EXPECT_EQ(Copies(), (Chords{"Shift", "Alt"}));
  Pass();
  Pass();  // 0.25
  EXPECT_EQ(Copies(), (Chords{"Shift", "Alt"})) << "neither again within 300 ms";
  Pass();
  Pass();  // 0.35
  EXPECT_EQ(Copies(), (Chords{"Shift", "Alt", "Shift"}));
  Pass();  // 0.40: Alt's 300 ms are not over
  EXPECT_EQ(Copies(), (Chords{"Shift", "Alt", "Shift"}));
  Pass();
  Pass();  // 0.50
  EXPECT_EQ(Copies(), (Chords{"Shift", "Alt", "Shift", "Alt"}));
}

// The 300 ms run from the end of the copy: the user may read its box for long, the chord still
// held.
TEST_F(CopyChords, TheWaitStartsWhenTheCopysBoxIsClosed) {
  sys->DuringMessageBox = [&] { Advance(2.0); };
  sys->KeysDown = kShift;
  Pass();
  for (int i = 0; i < 5; ++i) Pass();  // up to 0.25 s after the box was closed
  EXPECT_EQ(Copies(), Chords{"Shift"});
  Pass();
  Pass();  // 0.35 s
  EXPECT_EQ(Copies(), (Chords{"Shift", "Shift"}));
  sys->DuringMessageBox = nullptr;
}

// A copy whose save fails is not tried again on every pass while the chord is held: each try
// would add its rows once more.
TEST_F(CopyChords, ACopyThatFailsWaitsAsLongAsOneThatSucceeds) {
  sys->FailWritesTo.insert(L"C:\\WORK\\SETTINGS\\SETTINGS.JSON.TMP");
  sys->KeysDown = kShift;
  for (int i = 0; i < 6; ++i) Pass();  // 0.00 to 0.25 s
  int added = 0;
  for (ui::TreeNode* n = main->vstExclude_WindowClass.FirstNode(); n != nullptr;
       n = main->vstExclude_WindowClass.NextNode(n)) {
    if (n->Data<settings_window::TStringData>().EntryText == L"Notepad") ++added;
  }
  EXPECT_EQ(added, 1);
  ASSERT_EQ(sys->MessageBoxes.size(), 1u) << "the failure is told once";
  EXPECT_NE(sys->MessageBoxes[0].Text.find(kSettingsFile), std::wstring::npos);
}

// The border colours of the Desktop Border page's language rows, which its preview shows: one
// for the German row, one for every other.
void ColourPreviewRows(monitor::TfMain& w, os::TColor german, os::TColor others) {
  for (ui::TreeNode* n = w.vstLang_DesktopBorder.FirstNode(); n != nullptr;
       n = w.vstLang_DesktopBorder.NextNode(n)) {
    auto& row = n->Data<settings_window::TLangsData>();
    row.BorderColor = row.CountryISO3166 == L"DE" ? german : others;
  }
}

// The order of the pass's last steps, seen from inside a copy's box in the pass that meets a new
// language: the mouse indicator, the border lines and the border preview show it already, and
// the lines are raised to the top of the topmost band only after the copy.
TEST_F(CopyChords, RunAfterTheIndicatorsBordersAndPreviewAndBeforeTheTopmostRefresh) {
  S().IsShowWorkareaBorder = true;
  S().SL_Lang_DesktopBorder_Color = {L"US=FF0000", L"DE=0000FF"};
  // The preview's colours are the page's rows, told apart from the lines' colours.
  ColourPreviewRows(*main, 0x00AA00, 0xAA00AA);
  Pass();
  ASSERT_EQ(main->ShapeLineL.BrushColor(), 0xAA00AA);
  ASSERT_EQ(monitor::fWorkareaBorderL->Color(), 0x0000FF);

  struct {
    std::wstring MouseLanguage;
    os::TColor Line = 0, Preview = 0;
  } seen;
  HWND other = nullptr;
  sys->DuringMessageBox = [&] {
    seen = {fLangInfoMouse->L_Lang.Caption(), monitor::fWorkareaBorderL->Color(),
            main->ShapeLineL.BrushColor()};
    // Another program's topmost window opens meanwhile.
    other = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0,
                              50, 50, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  sys->SwitchLayout(notepad, kLayoutDE);
  sys->KeysDown = kShift;
  Pass();
  sys->DuringMessageBox = nullptr;
  ASSERT_EQ(Copies(), Chords{"Shift"});
  EXPECT_EQ(seen.MouseLanguage, L"DE");
  EXPECT_EQ(seen.Line, 0xFF0000);
  EXPECT_EQ(seen.Preview, 0x00AA00) << "the preview reads the language the desktop step wrote";
  bool lineAbove = true;
  for (HWND h = ::GetWindow(monitor::fWorkareaBorderL->Handle(), GW_HWNDPREV); h != nullptr;
       h = ::GetWindow(h, GW_HWNDPREV)) {
    if (h == other) lineAbove = false;
  }
  EXPECT_TRUE(lineAbove) << "the topmost refresh runs after the copy";
  ::DestroyWindow(other);
  ::SetWindowPos(main->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

TEST_F(MonitoringPass, AnErrorIsReportedOnceAndTheNextPassStillRuns) {
  Start();
  sys->ForegroundError = L"The desktop is switching.";
  Pass();
  Pass();
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  EXPECT_EQ(sys->MessageBoxes[0].Text, L"The desktop is switching.");
  sys->ForegroundError = L"Another failure.";
  Pass();
  EXPECT_EQ(sys->MessageBoxes.size(), 2u);
  sys->ForegroundError.reset();
  Pass();
  EXPECT_EQ(fLangInfo->L_Lang.Caption(), L"EN");
}

// A failure inside the border step ends the pass there: the work-area lines already show the new
// language, but the border preview, which comes after the border step, shows it only from the
// next pass on. Before the keyboard step or before the border step, the preview would have
// followed the new language in the failing pass already.
TEST_F(MonitoringPass, AFailingBorderStepLeavesTheBorderPreviewToTheNextPass) {
  Start();
  S().SL_Lang_DesktopBorder_Color = {L"US=FF0000", L"DE=0000FF"};
  // The preview's colours are the page's rows, told apart from the lines' colours.
  ColourPreviewRows(*main, 0x00AA00, 0xAA00AA);
  Pass();
  ASSERT_EQ(main->ShapeLineL.BrushColor(), 0xAA00AA);

  sys->SwitchLayout(notepad, kLayoutDE);
  sys->TaskbarError = L"The taskbar cannot be found.";
  Pass();
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  EXPECT_EQ(sys->MessageBoxes[0].Text, L"The taskbar cannot be found.");
  ASSERT_EQ(monitor::fWorkareaBorderL->Color(), 0xFF0000) << "the border step ran up to its fault";
  EXPECT_EQ(main->ShapeLineL.BrushColor(), 0xAA00AA) << "nothing after the fault ran";

  sys->TaskbarError.reset();
  Pass();
  EXPECT_EQ(main->ShapeLineL.BrushColor(), 0x00AA00);
  EXPECT_EQ(sys->MessageBoxes.size(), 1u);
}

// The error's box stays above the program's window the user is working in, also when that
// window is topmost; with the user in another program it is not owned.
TEST_F(MonitoringPass, AnErrorsBoxIsOwnedByTheProgramsActiveWindow) {
  Start();
  ASSERT_EQ(::GetActiveWindow(), nullptr);
  sys->ForegroundError = L"The desktop is switching.";
  Pass();
  main->ShowMainWindow(true, 0);
  ::SetActiveWindow(main->Handle());
  ASSERT_EQ(::GetActiveWindow(), main->Handle());
  sys->ForegroundError = L"Another failure.";
  Pass();
  ASSERT_EQ(sys->MessageBoxes.size(), 2u);
  EXPECT_FALSE(sys->MessageBoxes[0].Owner);
  EXPECT_EQ(sys->MessageBoxes[1].Owner.Value, reinterpret_cast<std::uintptr_t>(main->Handle()));
  ::SetWindowPos(main->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  main->Hide();
}

TEST_F(MonitoringPass, APassInsideAnotherReturnsAtOnce) {
  Start();
  sys->ForegroundError = L"Failure shown in a message box.";
  std::int64_t stampInside = -1;
  sys->DuringMessageBox = [&] {
    sys->Counter += 10 * kTick;
    main->DetectKeysStatus();
    stampInside = core::LastPassStamp;
  };
  Pass();
  const std::int64_t outer = sys->Counter - 10 * kTick;
  EXPECT_EQ(stampInside, outer) << "the nested call did not run a pass";
  sys->DuringMessageBox = nullptr;
}

// With every indicator on, a pass with nothing new makes only the window calls that every pass
// must make: the caret indicator's show or hide, and the topmost refresh of the two border
// groups (four lines each).
TEST_F(MonitoringPass, ASecondPassWithNoChangeMakesOnlyTheRequiredWindowCalls) {
  Start();
  S().IsShowWorkareaBorder = true;
  S().IsShowTaskbarBorder = true;
  S().MouseIndicator_IsShowCapsNum = true;
  S().MouseIndicator_IsShowTime = true;
  S().MouseIndicator_IsWindowInfo = true;
  S().IsColorsByLang = true;
  sys->KeysToggled = {os::kVkCapital};
  sys->PlaceCaret(notepad, {40, 40, 41, 56});
  main->TimerStartTimer();
  Pass();
  Pass();
  const std::int64_t before = ui::NativeCallCount();
  Pass();
  EXPECT_EQ(ui::NativeCallCount() - before, 1 + 4 + 4);
}

}  // namespace
