// Settings -> pages -> settings, page by page, with the control of each field taken from the
// pages' tables.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "os/text.h"
#include "settings_window/lang_data.h"
#include "settings_window/string_data.h"
#include "pages_fixture.h"

namespace {

using core::TSettings;
using monitor::TfMain;
using testing_support::PagesFixture;

struct BoolRow {
  const char* Control;
  bool TSettings::*Field;
  bool (*Get)(TfMain&);
};
struct IntRow {
  const char* Control;
  int TSettings::*Field;
  int (*Get)(TfMain&);
  int Min, Max;
  int Own;  // inside the range, unlike the default and unlike every other row's
};
struct ColorRow {
  const char* Control;
  os::TColor TSettings::*Field;
  os::TColor (*Get)(TfMain&);
};

#define SW(name, field) {#name, &TSettings::field, [](TfMain& m) { return m.name.Checked(); }}
#define NUM(name, field, lo, hi, own) \
  {#name, &TSettings::field, [](TfMain& m) { return m.name.ValueInt(); }, lo, hi, own}
#define RADIO(name, field, lo, hi, own) \
  {#name, &TSettings::field, [](TfMain& m) { return m.name.ItemIndex(); }, lo, hi, own}
#define COL(name, field) \
  {#name, &TSettings::field, [](TfMain& m) { return m.name.SelectionColor(); }}

// Switches and check boxes of the eight filled pages.
const BoolRow kBools[] = {
    SW(swShowTime, IsShowTime),
    SW(swShowDate, IsShowDate),
    SW(swShowDesktopIndicator, IsShowDesktopIndicator),
    SW(swColorsByLang, IsColorsByLang),
    SW(swTransparent, IsTransparent),
    SW(swShowWorkareaBorder, IsShowWorkareaBorder),
    SW(cbShowWorkareaBorder_L, ShowWorkareaBorder_L),
    SW(cbShowWorkareaBorder_R, ShowWorkareaBorder_R),
    SW(cbShowWorkareaBorder_T, ShowWorkareaBorder_T),
    SW(cbShowWorkareaBorder_B, ShowWorkareaBorder_B),
    SW(swShowTaskbarBorder, IsShowTaskbarBorder),
    SW(cbShowTaskbarBorder_L, ShowTaskbarBorder_L),
    SW(cbShowTaskbarBorder_R, ShowTaskbarBorder_R),
    SW(cbShowTaskbarBorder_T, ShowTaskbarBorder_T),
    SW(cbShowTaskbarBorder_B, ShowTaskbarBorder_B),
    SW(swShowMouseIndicator, MouseIndicator_IsShow),
    SW(swMouseIndicatorAutoHide, MouseIndicator_IsAutoHide),
    SW(swShowTime_MouseIndicator, MouseIndicator_IsShowTime),
    SW(swShowCapsNum_MouseIndicator, MouseIndicator_IsShowCapsNum),
    SW(swShowWinInfo_MouseIndicator, MouseIndicator_IsWindowInfo),
    SW(swTransparent_MouseIndicator, MouseIndicator_IsTransparent),
    SW(swColorsByLang_MouseIndicator, MouseIndicator_IsColorsByLang),
    SW(swDontShowByWindowClass, IsDontShowByWindowClass),
    SW(swDontShowByApplicationFilename, IsDontShowByApplicationFilename),
    SW(sw_TrayShowCapsLockIndicator, SystemTrayIndicator_IsShowCapsLockIndicator),
    SW(sw_TrayShowNumLockIndicator, SystemTrayIndicator_IsShowNumLockIndicator),
    SW(swShowCaretIndicator, CaretIndicator_IsShow),
    SW(swShowCaretIndicatorCapsNum, CaretIndicator_IsShowCapsNum),
    SW(swCaretIndicatorAutoHide, CaretIndicator_IsAutoHide),
    SW(swCaretIndicatorTransparent, CaretIndicator_IsTransparent),
    SW(swColorsByLang_CaretIndicator, CaretIndicator_IsColorsByLang),
    SW(swCaretIndicatorDrawBlackBorder, CaretIndicator_IsDrawBlackBorder),
    SW(swDontShowByApplicationFilename2, IsDontShowByApplicationFilename2),
    SW(swChangeRGB_KeyboardLogitech, IsChangeRGB_KeyboardLogitech),
};

// Number boxes and radio groups with their ranges.
const IntRow kInts[] = {
    NUM(edBorderWidth, BorderWidth, 0, 3, 1),
    NUM(edTransparent, TransparentValue, 100, 255, 111),
    NUM(edDesktopBorderWidth, DesktopBorderWidth, 1, 8, 5),
    NUM(edMouseIndicatorAutoHideSec, MouseIndicator_AutoHideSec, 1, 10, 7),
    NUM(edTransparent_MouseIndicator, MouseIndicator_TransparentValue, 100, 255, 122),
    RADIO(grTray_CAPS_Mode, SystemTrayIndicator_CapsLockIndicatorMode, -1, 6, 3),
    RADIO(grTray_NumLock_Mode, SystemTrayIndicator_NumLockIndicatorMode, -1, 6, 6),
    NUM(edCaretIndicatorAutoHideValue, CaretIndicator_AutoHideSec, 1, 10, 9),
    NUM(edCaretIndicatorTransparentValue, CaretIndicator_TransparentValue, 100, 255, 133),
    RADIO(cbCaretIndicatorPosition, CaretIndicator_Positon, -1, 3, 2),
};

const ColorRow kColors[] = {
    COL(btnColor_Time_Font, Panel_Time_Font_Color),
    COL(btnColor_Time_Background, Panel_Time_Color),
    COL(btnColor_Date_Font, Panel_Date_Font_Color),
    COL(btnColor_Date_Background, Panel_Date_Color),
    COL(btnColor_Led_Off, Color_Led_Off),
    COL(btnColor_Led_On, Color_Led_On),
    COL(btnColor_Main_Font, Color_Main_Font),
    COL(btnColor_Main_Background, Color_Main_Background),
    COL(btnColor_MouseIndicator_Led_Off, MouseIndicator_Color_Led_Off),
    COL(btnColor_MouseIndicator_Led_On, MouseIndicator_Color_Led_On),
    COL(btnColor_MouseIndicator_Main_Font, MouseIndicator_Color_Main_Font),
    COL(btnColor_MouseIndicator_Main_Background, MouseIndicator_Color_Main_Background),
    COL(btnColor_MouseIndicator_Time_Font, MouseIndicator_Panel_Time_Font_Color),
    COL(btnColor_MouseIndicator_Time_Background, MouseIndicator_Panel_Time_Color),
    COL(btnColor_CaretIndicator_Main_Font, CaretIndicator_Color_Main_Font),
    COL(btnColor_CaretIndicator_Main_Background, CaretIndicator_Color_Main_Background),
};

class PageTransfer : public PagesFixture {};

// A field filled into or read back from another field's control shows only where the two hold
// different values. A yes/no field has two, so the switches go round six times: in round b each
// takes bit b of its row number (counted from 1). Any two rows differ in some bit, so any two
// swapped controls disagree in some round, and each field is on in one round and off in another,
// so a control that is never filled or read shows too. Numbers and colours take one value each,
// every one of its own.
TEST_F(PageTransfer, EveryFieldReachesItsControlAndComesBack) {
  auto& w = CreateMainWindow();
  TSettings& s = S();
  const std::size_t rows = std::size(kBools);
  static_assert(std::size(kBools) < (1u << 6), "six rounds tell 63 switches apart");
  for (unsigned bit = 0; bit < 6; ++bit) {
    SCOPED_TRACE("round " + std::to_string(bit));
    for (std::size_t i = 0; i < rows; ++i) s.*kBools[i].Field = (((i + 1) >> bit) & 1u) != 0;
    for (const auto& row : kInts) s.*row.Field = row.Own;
    int n = 0;
    for (const auto& row : kColors) s.*row.Field = 0x102030 + 0x010101 * n++;
    s.CaretIndicator_Color_Main_Font = os::clInfoBk;  // a system colour passes unconverted
    monitor::IsFirstShowDone = false;
    w.FormShow();

    for (const auto& row : kBools) EXPECT_EQ(row.Get(w), s.*row.Field) << row.Control;
    for (const auto& row : kInts) EXPECT_EQ(row.Get(w), s.*row.Field) << row.Control;
    for (const auto& row : kColors) EXPECT_EQ(row.Get(w), s.*row.Field) << row.Control;

    TSettings expected;
    for (const auto& row : kBools) expected.*row.Field = s.*row.Field, s.*row.Field = !(s.*row.Field);
    for (const auto& row : kInts) expected.*row.Field = s.*row.Field, s.*row.Field = 77;
    for (const auto& row : kColors) expected.*row.Field = s.*row.Field, s.*row.Field = 0x777777;
    s.ReadFromUI();
    for (const auto& row : kBools) EXPECT_EQ(s.*row.Field, expected.*row.Field) << row.Control;
    for (const auto& row : kInts) EXPECT_EQ(s.*row.Field, expected.*row.Field) << row.Control;
    for (const auto& row : kColors) EXPECT_EQ(s.*row.Field, expected.*row.Field) << row.Control;
    EXPECT_EQ(s.CaretIndicator_Color_Main_Font, os::clInfoBk);
  }
}

// The values above are what the test says they are: each number its own and inside its range,
// unlike its default.
TEST(PageTransferTable, EveryNumberHasAValueOfItsOwn) {
  const TSettings defaults;
  for (const auto& row : kInts) {
    EXPECT_NE(row.Own, defaults.*row.Field) << row.Control;
    EXPECT_TRUE(row.Min <= row.Own && row.Own <= row.Max) << row.Control;
    for (const auto& other : kInts) {
      if (&other != &row) {
        EXPECT_NE(row.Own, other.Own) << row.Control << " / " << other.Control;
      }
    }
  }
}

TEST_F(PageTransfer, NumbersAndIndexesOutOfRangeShowAndComeBackAsTheNearestBound) {
  auto& w = CreateMainWindow();
  for (int side : {0, 1}) {
    for (const auto& row : kInts) S().*row.Field = side == 0 ? row.Min - 5 : row.Max + 5;
    monitor::IsFirstShowDone = false;
    w.FormShow();
    S().ReadFromUI();
    for (const auto& row : kInts) {
      EXPECT_EQ(row.Get(w), side == 0 ? row.Min : row.Max) << row.Control;
      EXPECT_EQ(S().*row.Field, side == 0 ? row.Min : row.Max) << row.Control;
    }
  }
}

TEST_F(PageTransfer, FillingRaisesTheChangeEventsButSavesNothing) {
  auto& w = CreateMainWindow();
  // Each unlike the control's layout value (off, black, the range's lowest).
  S().IsShowTime = true;
  S().Panel_Time_Font_Color = 0x010203;
  S().DesktopBorderWidth = 5;
  int events = 0;
  w.swShowTime.OnClick = [&] { ++events; w.swShowTimeClick(); };
  w.btnColor_Time_Font.OnChange = [&] { ++events; w.btnColor_Time_FontChange(); };
  w.edDesktopBorderWidth.OnChangeValue = [&] { ++events; w.edDesktopBorderWidthChangeValue(); };
  w.FormShow();
  EXPECT_EQ(events, 3) << "the changed controls raised their events";
  EXPECT_EQ(Saves(), 0);
  EXPECT_FALSE(core::IsFillingDesktopIndicator || core::IsFillingDesktopBorder ||
               core::IsFillingMouseIndicator || core::IsFillingExcludeList ||
               core::IsFillingSystemTray || core::IsFillingCaretIndicator ||
               core::IsFillingExcludeList2 || core::IsFillingRGBLighting);
}

TEST_F(PageTransfer, NothingIsReadBackOrSavedBeforeTheFirstFill) {
  sys->AddFile(kSettingsFile, R"({"DesktopIndicator":{"BorderWidth":1}})");
  auto& w = CreateMainWindow();
  ASSERT_EQ(S().BorderWidth, 1);
  w.swShowTime.SetChecked(!w.swShowTime.Checked());
  w.swDontShowByWindowClass.SetChecked(!w.swDontShowByWindowClass.Checked());
  w.btnDesktopIndicatorResetClick();
  S().ReadFromUI();
  EXPECT_EQ(S().BorderWidth, 1) << "the page's layout value never reaches the settings";
  EXPECT_FALSE(S().SL_Exclude_WindowClass.empty()) << "the empty tree empties nothing";
  EXPECT_EQ(Saves(), 0);
}

TEST_F(PageTransfer, ExclusionEntriesFillTheTreesAndComeBackWithTheSemicolon) {
  auto& w = CreateMainWindow();
  const std::wstring longName(300, L'x');
  S().SL_Exclude_WindowClass = {L"1:Shell_TrayWnd", L"0;Notepad", L"", L"1"};
  S().SL_Exclude_AppFileName = {L"0;notepad.exe", L"1;" + longName};
  S().SL_Exclude_AppFileName2 = {L"1:\u00e9diteur.exe"};
  w.FormShow();

  auto rows = [](ui::TreeList& tree) {
    std::vector<std::pair<bool, std::wstring>> r;
    for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) {
      EXPECT_TRUE(n->HasCheckBox());
      r.emplace_back(n->Checked(), n->Data<settings_window::TStringData>().EntryText);
    }
    return r;
  };
  using Rows = std::vector<std::pair<bool, std::wstring>>;
  EXPECT_EQ(rows(w.vstExclude_WindowClass),
            (Rows{{true, L"Shell_TrayWnd"}, {false, L"Notepad"}, {false, L""}, {true, L""}}));
  EXPECT_EQ(rows(w.vstExclude_AppName), (Rows{{false, L"notepad.exe"}, {true, longName.substr(0, 256)}}));
  EXPECT_EQ(rows(w.vstExclude_AppName2), (Rows{{true, L"\u00e9diteur.exe"}}));

  S().ReadFromUI();
  EXPECT_EQ(S().SL_Exclude_WindowClass,
            (core::TStringList{L"1;Shell_TrayWnd", L"0;Notepad", L"0;", L"1;"}));
  EXPECT_EQ(S().SL_Exclude_AppFileName,
            (core::TStringList{L"0;notepad.exe", L"1;" + longName.substr(0, 256)}));
  EXPECT_EQ(S().SL_Exclude_AppFileName2, (core::TStringList{L"1;\u00e9diteur.exe"}));
}

TEST_F(PageTransfer, FilterListsHoldTheEnabledNamesUpperCasedWhileTheirSwitchIsOn) {
  CreateMainWindow();
  const std::wstring longName(300, L'a');
  S().SL_Exclude_WindowClass = {L"1:Shell_TrayWnd", L"0;Off", L"1;dup", L"1;dup", L""};
  S().SL_Exclude_AppFileName = {L"1;notepad.exe", L"1;" + longName};
  S().SL_Exclude_AppFileName2 = {L"1; \u00e9dit.exe ", L"0;x.exe"};
  S().BuildFilterLists();
  S().BuildFilterList2();
  EXPECT_EQ(*core::FilterWindowClass, (core::TStringList{L"SHELL_TRAYWND", L"DUP", L"DUP"}));
  EXPECT_EQ(*core::FilterAppFileName,
            (core::TStringList{L"NOTEPAD.EXE", std::wstring(256, L'A')}));
  EXPECT_EQ(*core::FilterAppFileName2, (core::TStringList{L" \u00e9DIT.EXE "}));

  S().IsDontShowByWindowClass = false;
  S().IsDontShowByApplicationFilename2 = false;
  S().BuildFilterLists();
  S().BuildFilterList2();
  EXPECT_TRUE(core::FilterWindowClass->empty());
  EXPECT_EQ(core::FilterAppFileName->size(), 2u) << "built from its own switch";
  EXPECT_TRUE(core::FilterAppFileName2->empty());
  EXPECT_EQ(S().SL_Exclude_WindowClass.size(), 5u);
}

TEST_F(PageTransfer, ASaveRightAfterTheFirstShowWritesTheFileUnchangedButForClampsAndSeparators) {
  // The border windows' thickness is held to the page's range already on load; the mouse
  // indicator's time is stored as read.
  sys->AddFile(kSettingsFile, R"({"DesktopBorder":{"DesktopBorderWidth":0},
                                  "MouseIndicator":{"MouseIndicator_AutoHideSec":0}})");
  auto& w = ShownMainWindow();
  EXPECT_EQ(w.edDesktopBorderWidth.ValueInt(), 1);
  EXPECT_EQ(S().DesktopBorderWidth, 1);
  EXPECT_EQ(w.edMouseIndicatorAutoHideSec.ValueInt(), 1);
  EXPECT_EQ(S().MouseIndicator_AutoHideSec, 0) << "kept until the next save";
  w.swShowTime.Click();
  w.swShowTime.Click();
  EXPECT_EQ(S().MouseIndicator_AutoHideSec, 1);
  EXPECT_EQ(Saves(), 2);
  EXPECT_EQ(S().SL_Exclude_WindowClass.front().substr(0, 2), L"1;");
}

TEST_F(PageTransfer, LanguageRowsComeBackAsCountryEqualsColourText) {
  auto& w = ShownMainWindow();
  S().SL_Lang_RGB_Color = {L"US=112233"};
  settings_window::TLangsData us{L"EN", L"US"};
  us.FontColor = os::clInfoBk;  // a system colour is written as its current value
  us.BackgroundColor = 0x0000FF;
  us.BorderColor = 0x00FF00;
  settings_window::TLangsData us2 = us;
  us2.FontColor = 0x123456;
  w.vstLang_RGB.Clear();
  for (ui::TreeList* tree : {&w.vstLang_DesktopIndicator, &w.vstLang_DesktopBorder}) {
    tree->Clear();
    tree->AddChild(nullptr, us);
    tree->AddChild(nullptr, us2);
  }
  S().ReadFromUI();
  EXPECT_EQ(S().SL_Lang_Color_Font, (core::TStringList{L"US=FFFFE1", L"US=563412"}));
  EXPECT_EQ(S().SL_Lang_Color_Background, (core::TStringList{L"US=FF0000", L"US=FF0000"}));
  EXPECT_EQ(S().SL_Lang_DesktopBorder_Color, (core::TStringList{L"US=00FF00", L"US=00FF00"}));
  // A tree without rows (the layout list could not be read) leaves its list as it was.
  EXPECT_EQ(S().SL_Lang_RGB_Color, (core::TStringList{L"US=112233"}));
}

}  // namespace
