#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "core/color_text.h"
#include "core/json.h"
#include "core/settings.h"
#include "os/error.h"
#include "os/text.h"
#include "support/fake_settings_windows.h"
#include "support/fake_system.h"

namespace {

using core::MinimizeSwitch;
using testing_support::FakeSettingsWindows;
using testing_support::ScopedFakeSystem;

constexpr wchar_t kFile[] = L"C:\\Work\\Settings\\settings.json";

class SettingsLoad : public ::testing::Test {
 protected:
  void SetUp() override { sys->AddFolder(L"C:\\Work\\Settings"); }
  void LoadText(const std::string& text) {
    sys->AddFile(kFile, text);
    settings.Load(kFile, windows);
  }
  ScopedFakeSystem sys;
  FakeSettingsWindows windows;
  core::TSettings settings;
};

TEST_F(SettingsLoad, NoFileKeepsTheDefaultsAndCentresTheMainWindow) {
  sys->Monitor = {0, 0, 1920, 1080};
  windows.Main = {7, 7, 7 + 900, 7 + 651};
  settings.Load(kFile, windows);
  EXPECT_EQ(windows.Main.Left, 1920 / 2 - 900 / 2);
  EXPECT_EQ(windows.Main.Top, 1080 / 2 - 651 / 2);  // integer division on both
  EXPECT_EQ(windows.Indicator.Top, 5);
  EXPECT_EQ(settings.SL_Exclude_WindowClass.size(), 6u);
  EXPECT_FALSE(settings.JSON);
  EXPECT_FALSE(sys->HasFile(kFile)) << "nothing is written until the first save";
}

TEST_F(SettingsLoad, EmptyFilesChangeNothing) {
  for (const char* text : {"", "\xEF\xBB\xBF", "{}", "\xEF\xBB\xBF{}\r\n", "  \r\n"}) {
    FakeSettingsWindows w;
    core::TSettings s;
    sys->AddFile(kFile, text);
    s.Load(kFile, w);
    EXPECT_EQ(w.Main, FakeSettingsWindows().Main) << "not centred for " << testing::PrintToString(text);
    EXPECT_EQ(s.SL_Exclude_AppFileName.size(), 3u);
    EXPECT_EQ(s.TransparentValue, 200);
  }
}

TEST_F(SettingsLoad, APresentSectionWithoutItsListKeyEmptiesTheList) {
  LoadText(R"({"Exclude_WindowClass":{}})");
  EXPECT_TRUE(settings.SL_Exclude_WindowClass.empty());
  EXPECT_TRUE(settings.IsDontShowByWindowClass);
  EXPECT_EQ(settings.SL_Exclude_AppFileName.size(), 3u) << "other sections keep their defaults";
  EXPECT_EQ(settings.SL_Exclude_AppFileName2.size(), 3u);
}

TEST_F(SettingsLoad, AListEmptiedAndSavedStaysEmpty) {
  settings.SL_Exclude_AppFileName2.clear();
  settings.Save(kFile, windows);
  core::TSettings next;
  next.Load(kFile, windows);
  EXPECT_TRUE(next.SL_Exclude_AppFileName2.empty());
  EXPECT_EQ(next.SL_Exclude_AppFileName.size(), 3u);
}

TEST_F(SettingsLoad, KeysInOtherLetterCaseAndTheLaterDuplicateCount) {
  LoadText(R"({"desktopindicator":{"borderwidth":3,"ISSHOWTIME":false,
               "TransparentValue":150,"transparentvalue":170},
               "MouseIndicator":{"MouseIndicator_AutoHideSec":4},
               "mouseindicator":{"MouseIndicator_AutoHideSec":6}})");
  EXPECT_EQ(settings.BorderWidth, 3);
  EXPECT_FALSE(settings.IsShowTime);
  EXPECT_EQ(settings.TransparentValue, 170);
  EXPECT_EQ(settings.MouseIndicator_AutoHideSec, 6);
}

struct ClampCase {
  const char* json;
  int transparent;
  int border;
};

class SettingsClamps : public SettingsLoad, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(SettingsClamps, OnlyTheDesktopIndicatorValuesAreClamped) {
  LoadText(GetParam().json);
  EXPECT_EQ(settings.TransparentValue, GetParam().transparent);
  EXPECT_EQ(settings.BorderWidth, GetParam().border);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsClamps,
    ::testing::Values(ClampCase{R"({"DesktopIndicator":{"TransparentValue":300}})", 255, 2},
                      ClampCase{R"({"DesktopIndicator":{"TransparentValue":99}})", 200, 2},
                      ClampCase{R"({"DesktopIndicator":{"TransparentValue":100}})", 100, 2},
                      ClampCase{R"({"DesktopIndicator":{"TransparentValue":-5}})", 200, 2},
                      ClampCase{R"({"DesktopIndicator":{"BorderWidth":4}})", 200, 2},
                      ClampCase{R"({"DesktopIndicator":{"BorderWidth":3}})", 200, 3},
                      // Stored as read; the monitoring pass draws a negative frame as none.
                      ClampCase{R"({"DesktopIndicator":{"BorderWidth":-1}})", 200, -1}));

// What each number of the file loads as. The values the pages can write (their number boxes'
// ranges) load unchanged; a value beyond them is held to the range where it would make the
// program unusable, and stored as read where it is harmless.
struct HeldCase {
  const char* name;
  const char* section;
  const char* key;
  long long inFile;
  int loaded;
  int core::TSettings::*field;
};

class SettingsHeldOnLoad : public SettingsLoad, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(SettingsHeldOnLoad, ToWhatThePageAllowsWhereMoreWouldHarm) {
  const HeldCase& c = GetParam();
  LoadText(std::string("{\"") + c.section + "\":{\"" + c.key + "\":" + std::to_string(c.inFile) +
           "}}");
  EXPECT_EQ(settings.*c.field, c.loaded);
}

using T = core::TSettings;
constexpr long long kIntMax = 2147483647LL, kIntMin = -2147483648LL;

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsHeldOnLoad,
    ::testing::Values(
        // Desktop Border page: 1 to 8. The reported file held 2147483647.
        HeldCase{"borderWindowsHuge", "DesktopBorder", "DesktopBorderWidth", kIntMax, 8, &T::DesktopBorderWidth},
        HeldCase{"borderWindows9", "DesktopBorder", "DesktopBorderWidth", 9, 8, &T::DesktopBorderWidth},
        HeldCase{"borderWindows8", "DesktopBorder", "DesktopBorderWidth", 8, 8, &T::DesktopBorderWidth},
        HeldCase{"borderWindows5", "DesktopBorder", "DesktopBorderWidth", 5, 5, &T::DesktopBorderWidth},
        HeldCase{"borderWindows1", "DesktopBorder", "DesktopBorderWidth", 1, 1, &T::DesktopBorderWidth},
        HeldCase{"borderWindows0", "DesktopBorder", "DesktopBorderWidth", 0, 1, &T::DesktopBorderWidth},
        HeldCase{"borderWindowsMin", "DesktopBorder", "DesktopBorderWidth", kIntMin, 1, &T::DesktopBorderWidth},
        // Desktop Indicator page: frame 0 to 3, transparency 100 to 255.
        HeldCase{"frame0", "DesktopIndicator", "BorderWidth", 0, 0, &T::BorderWidth},
        HeldCase{"frame3", "DesktopIndicator", "BorderWidth", 3, 3, &T::BorderWidth},
        HeldCase{"frameHuge", "DesktopIndicator", "BorderWidth", kIntMax, 2, &T::BorderWidth},
        HeldCase{"frameMin", "DesktopIndicator", "BorderWidth", kIntMin, kIntMin, &T::BorderWidth},
        HeldCase{"desktopAlpha255", "DesktopIndicator", "TransparentValue", 255, 255, &T::TransparentValue},
        HeldCase{"desktopAlphaHuge", "DesktopIndicator", "TransparentValue", kIntMax, 255, &T::TransparentValue},
        HeldCase{"desktopAlphaMin", "DesktopIndicator", "TransparentValue", kIntMin, 200, &T::TransparentValue},
        // Harmless beyond their pages: a time that never ends hides nothing, a corner or mode
        // that does not exist places or shows nothing, an alpha wraps to another alpha.
        HeldCase{"mouseHide1", "MouseIndicator", "MouseIndicator_AutoHideSec", 1, 1, &T::MouseIndicator_AutoHideSec},
        HeldCase{"mouseHide10", "MouseIndicator", "MouseIndicator_AutoHideSec", 10, 10, &T::MouseIndicator_AutoHideSec},
        HeldCase{"mouseHideHuge", "MouseIndicator", "MouseIndicator_AutoHideSec", kIntMax, 2147483647, &T::MouseIndicator_AutoHideSec},
        HeldCase{"mouseHideMin", "MouseIndicator", "MouseIndicator_AutoHideSec", kIntMin, -2147483647 - 1, &T::MouseIndicator_AutoHideSec},
        HeldCase{"mouseAlpha50", "MouseIndicator", "MouseIndicator_TransparentValue", 50, 50, &T::MouseIndicator_TransparentValue},
        HeldCase{"caretHide0", "CaretIndicator", "CaretIndicator_AutoHideSec", 0, 0, &T::CaretIndicator_AutoHideSec},
        HeldCase{"caretAlpha1000", "CaretIndicator", "CaretIndicator_TransparentValue", 1000, 1000, &T::CaretIndicator_TransparentValue},
        HeldCase{"caretCorner9", "CaretIndicator", "CaretIndicator_Positon", 9, 9, &T::CaretIndicator_Positon},
        HeldCase{"capsMode77", "SystemTrayIndicator", "SystemTrayIndicator_CapsLockIndicatorMode", 77, 77, &T::SystemTrayIndicator_CapsLockIndicatorMode},
        HeldCase{"numModeMinus3", "SystemTrayIndicator", "SystemTrayIndicator_NumLockIndicatorMode", -3, -3, &T::SystemTrayIndicator_NumLockIndicatorMode}),
    [](const auto& info) { return std::string(info.param.name); });

// A value held on load is what the next save writes: the file heals at the first save.
TEST_F(SettingsLoad, AHeldValueIsSavedAsHeld) {
  LoadText(R"({"DesktopBorder":{"DesktopBorderWidth":2147483647}})");
  settings.Save(kFile, windows);
  EXPECT_NE(sys->FileText(kFile).find("\"DesktopBorderWidth\": 8,"), std::string::npos)
      << sys->FileText(kFile);
}

TEST_F(SettingsLoad, OtherValuesAreStoredAsRead) {
  LoadText(R"({"MouseIndicator":{"MouseIndicator_TransparentValue":50,"MouseIndicator_AutoHideSec":-2},
               "CaretIndicator":{"CaretIndicator_Positon":9,"CaretIndicator_TransparentValue":1000},
               "SystemTrayIndicator":{"SystemTrayIndicator_CapsLockIndicatorMode":77}})");
  EXPECT_EQ(settings.MouseIndicator_TransparentValue, 50);
  EXPECT_EQ(settings.MouseIndicator_AutoHideSec, -2);
  EXPECT_EQ(settings.CaretIndicator_Positon, 9);
  EXPECT_EQ(settings.CaretIndicator_TransparentValue, 1000);
  EXPECT_EQ(settings.SystemTrayIndicator_CapsLockIndicatorMode, 77);
}

struct BoundsCase {
  const char* name;
  int top, left;
  int expectedTop, expectedLeft;
};

class IndicatorBounds : public SettingsLoad, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(IndicatorBounds, CountOnlyStrictlyInsideThePrimaryMonitor) {
  sys->Monitor = {0, 0, 1920, 1080};
  sys->OtherMonitors = {{1920, 0, 3840, 1080}};  // a second monitor on the right
  windows.Indicator = {960, 5, 960 + 531, 5 + 30};
  const auto& c = GetParam();
  LoadText("{\"DesktopIndicator\":{\"Top\":" + std::to_string(c.top) + ",\"Left\":" +
           std::to_string(c.left) + "}}");
  EXPECT_EQ(windows.Indicator.Top, c.expectedTop);
  EXPECT_EQ(windows.Indicator.Left, c.expectedLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Places, IndicatorBounds,
    ::testing::Values(BoundsCase{"inside", 300, 400, 300, 400},
                      BoundsCase{"atTheEdge", 0, 0, 5, 960},
                      BoundsCase{"onePixelInsideTheCorner", 1, 1, 1, 1},
                      BoundsCase{"rightEdgeFlushWithTheMonitors", 20, 1920 - 531, 20, 960},
                      BoundsCase{"bottomEdgeFlushWithTheMonitors", 1080 - 30, 400, 5, 400},
                      BoundsCase{"onTheOtherMonitor", 100, 2500, 100, 960},
                      BoundsCase{"lastTopInside", 1080 - 30 - 1, 1920 - 531 - 1, 1049, 1388},
                      BoundsCase{"tooLowAndTooFarRight", 1080 - 30, 1920 - 531, 5, 960},
                      BoundsCase{"negative", -100, -5, 5, 960},
                      BoundsCase{"narrowerLaterButNotNow", 20, 1500, 20, 960}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsLoad, MainWindowPlaceIsAppliedAsItStands) {
  sys->OtherMonitors = {{-41'000, 99'000, -39'000, 100'500}};
  LoadText(R"({"MainWindow":{"Left":-40000,"Top":99999,"MinimizedOnStart":true,
               "MinimizedOnClose":false,"MinimizedToTray":false,"MinimizedOnEsc":false}})");
  EXPECT_EQ(windows.Main.Left, -40000);
  EXPECT_EQ(windows.Main.Top, 99999);
  EXPECT_TRUE(windows.Switches[MinimizeSwitch::OnStart]);
  EXPECT_FALSE(windows.Switches[MinimizeSwitch::OnClose]);
  EXPECT_FALSE(windows.Switches[MinimizeSwitch::ToTray]);
  EXPECT_FALSE(windows.Switches[MinimizeSwitch::OnEsc]);
}

// A place where the user cannot take the main window by its caption (on no monitor, or with
// only a corner, its caption buttons or its lower part on one) would keep the settings window out
// of reach: the window is centred on the primary monitor instead, as with no file. A place whose
// caption bar lies on a work area, its full height and 60 pixels of it left of the buttons (at
// 96 DPI), stands.
struct PlaceCase {
  const char* name;
  int Left, Top;
  bool stands;
  int dpi = 96;
};

class MainWindowPlace : public SettingsLoad, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(MainWindowPlace, StandsOnlyWithItsCaptionWithinReach) {
  sys->Monitor = {0, 0, 1920, 1080};
  sys->WorkArea = {0, 0, 1920, 1040};  // the taskbar below
  sys->OtherMonitors = {{1920, -200, 3840, 880}};
  sys->Dpi = GetParam().dpi;
  LoadText(R"({"MainWindow":{"Left":)" + std::to_string(GetParam().Left) + R"(,"Top":)" +
           std::to_string(GetParam().Top) + "}}");
  const os::Point expected = GetParam().stands ? os::Point{GetParam().Left, GetParam().Top}
                                               : os::Point{1920 / 2 - 900 / 2, 1080 / 2 - 650 / 2};
  EXPECT_EQ(windows.Main.Left, expected.X);
  EXPECT_EQ(windows.Main.Top, expected.Y);
  EXPECT_EQ(windows.Main.Width(), 900);
}

INSTANTIATE_TEST_SUITE_P(
    Places, MainWindowPlace,
    ::testing::Values(
        PlaceCase{"whollyOnThePrimary", 100, 100, true},
        PlaceCase{"onTheSecondMonitor", 2500, -150, true},
        PlaceCase{"acrossBothMonitors", 1500, 300, true},
        PlaceCase{"atTheWorkAreasTopLeftCorner", 0, 0, true},
        PlaceCase{"captionJustAboveTheTaskbar", 100, 1040 - 30, true},
        PlaceCase{"aFivePixelCornerOnThePrimary", -895, 1075, false},
        PlaceCase{"aFivePixelCornerOnTheSecond", 3835, -200 - 650 + 5, false},
        PlaceCase{"captionBehindTheTaskbar", 100, 1041 - 30, false},
        PlaceCase{"captionOffTheTop", 100, -20, false},
        PlaceCase{"onlyTheBottomRowOn", 100, -649, false},
        // Above the primary's top, where the second monitor stands higher: on no work area.
        PlaceCase{"captionAboveThePrimaryBesideTheSecond", 1000, -150, false},
        PlaceCase{"sixtyPixelsOfCaptionOnTheLeftEdge", -700, 100, true},
        PlaceCase{"fiftyNinePixelsOfCaptionOnTheLeftEdge", -701, 100, false},
        PlaceCase{"onlyTheCaptionButtonsOn", -800, 100, false},
        PlaceCase{"rightOfEveryMonitor", 3840, 0, false},
        PlaceCase{"farOut", 1'000'000, 1'000'000, false},
        // At 144 DPI the caption and its buttons are larger: 110 pixels left of them hold at
        // 96 DPI and not at 144.
        PlaceCase{"aStretchThatHoldsAt96", -650, 100, true, 96},
        PlaceCase{"isTooShortAt144", -650, 100, false, 144},
        PlaceCase{"aCaptionBandThatHoldsAt96", 100, 1040 - 31, true, 96},
        PlaceCase{"isBehindTheTaskbarAt144", 100, 1040 - 31, false, 144}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsLoad, AMainWindowOnNoMonitorIsCentredAlsoWhenALaterKeyIsRefused) {
  sys->Monitor = {0, 0, 1920, 1080};
  EXPECT_THROW(LoadText(R"({"MainWindow":{"Left":50000,"Top":50000},
                            "DesktopIndicator":{"Panel_Time_Color":"GGGGGG"}})"),
               os::Error);
  EXPECT_EQ(windows.Main.Left, 1920 / 2 - 900 / 2);
  EXPECT_EQ(windows.Main.Top, 1080 / 2 - 650 / 2);
}

TEST_F(SettingsLoad, ABadColourCostsItsValueAlone) {
  const std::string text = R"({"DesktopIndicator":{"BorderWidth":1,"Panel_Time_Font_Color":"112233",
      "Panel_Time_Color":"GGGGGG","Panel_Date_Font_Color":"445566",
      "SL_Lang_Color_Font":["US=000000"]},
      "Exclude_WindowClass":{"SL_Exclude_WindowClass":[]}})";
  sys->AddFile(kFile, text);
  settings.Panel_Time_Color = 0x0A0B0C;
  settings.SL_Lang_Color_Background = {L"FR=040506", L"IT=070809"};
  try {
    settings.Load(kFile, windows);
    FAIL() << "no error";
  } catch (const os::Error& e) {
    EXPECT_NE(e.Message().find(L"Panel_Time_Color"), std::wstring::npos);
    EXPECT_NE(e.Message().find(L"GGGGGG"), std::wstring::npos);
  }
  EXPECT_EQ(settings.BorderWidth, 1);
  EXPECT_EQ(settings.Panel_Time_Font_Color, 0x332211);
  EXPECT_EQ(settings.Panel_Time_Color, 0x0A0B0C) << "kept what it held";
  EXPECT_EQ(settings.Panel_Date_Font_Color, 0x665544) << "after the key: read";
  EXPECT_EQ(settings.SL_Lang_Color_Font, core::TStringList{L"US=000000"});
  EXPECT_TRUE(settings.SL_Lang_Color_Background.empty()) << "its section holds no such key";
  EXPECT_TRUE(settings.SL_Exclude_WindowClass.empty()) << "later sections read";
}

// Found by the fuzzer: a bad colour between "BorderWidth" and the clamps' turn left BorderWidth
// 4 unclamped for the run, and the next start read the saved 4 as 2. The clamps still take
// their turn after a bad value, and a bad TransparentValue does not keep them from BorderWidth.
TEST_F(SettingsLoad, TheClampsRunAfterABadValue) {
  const struct {
    const char* text;
    int transparent;
  } cases[] = {{R"({"DesktopIndicator":{"BorderWidth":4,"Panel_Date_Color":"XX0000",
                    "TransparentValue":300}})", 255},
               {R"({"DesktopIndicator":{"BorderWidth":4,"TransparentValue":"lots"}})", 200}};
  for (const auto& c : cases) {
    core::TSettings s;
    sys->AddFile(kFile, c.text);
    EXPECT_THROW(s.Load(kFile, windows), os::Error) << c.text;
    EXPECT_EQ(s.BorderWidth, 2) << c.text;
    EXPECT_EQ(s.TransparentValue, c.transparent) << c.text;
  }
}

TEST_F(SettingsLoad, TextThatIsNotAJsonObjectChangesNothing) {
  for (const char* text : {"{\"MainWindow\":{\"Left\":1,", "[1,2,3]", "\"text\"", "nul"}) {
    FakeSettingsWindows w;
    core::TSettings s;
    sys->AddFile(kFile, text);
    EXPECT_THROW(s.Load(kFile, w), os::Error) << text;
    EXPECT_EQ(w.Main, FakeSettingsWindows().Main);
    EXPECT_EQ(s.SL_Exclude_WindowClass.size(), 6u);
  }
}

TEST_F(SettingsLoad, AFileThatCannotBeOpenedIsAnError) {
  sys->AddFile(kFile, "{}");
  sys->FailReadsFrom.insert(L"C:\\WORK\\SETTINGS\\SETTINGS.JSON");
  EXPECT_THROW(settings.Load(kFile, windows), os::Error);
}

TEST_F(SettingsLoad, ValuesOfAnotherTypeAreConvertedOrRejected) {
  LoadText(R"({"DesktopIndicator":{"BorderWidth":"3","IsShowDate":0,"TransparentValue":150.7}})");
  EXPECT_EQ(settings.BorderWidth, 3);
  EXPECT_FALSE(settings.IsShowDate);
  EXPECT_EQ(settings.TransparentValue, 150);
  for (const char* text : {R"({"DesktopIndicator":{"BorderWidth":"three"}})",
                           R"({"DesktopIndicator":{"IsShowDate":null}})",
                           R"({"DesktopIndicator":{"Color_Led_On":{}}})",
                           R"({"DesktopIndicator":{"TransparentValue":1e12}})",
                           R"({"RGB_Lighting":{"SL_Lang_RGB_Color":"US=000000"}})"}) {
    core::TSettings s;
    sys->AddFile(kFile, text);
    EXPECT_THROW(s.Load(kFile, windows), os::Error) << text;
  }
}

TEST_F(SettingsLoad, EverySavedValueComesBack) {
  settings.BorderWidth = 3;
  settings.IsShowDate = false;
  settings.Panel_Date_Color = 0x123456;
  settings.TransparentValue = 111;
  settings.DesktopBorderWidth = 7;
  settings.ShowTaskbarBorder_T = false;
  settings.SL_Lang_DesktopBorder_Color = {L"US=FF0000", L"DE=00FF00"};
  settings.SL_Lang_Color_Font = {L"US=010203"};
  settings.MouseIndicator_IsWindowInfo = true;
  settings.MouseIndicator_Color_Led_On = 0x00AABB;
  settings.MouseIndicator_SL_Lang_Color_Background = {L"RU="};
  settings.SL_Exclude_AppFileName = {L"0;notepad.exe", L"1;\u0411\u043b\u043e\u043a\u043d\u043e\u0442.exe",
                                     L"1;quote\"back\\slash"};
  settings.SystemTrayIndicator_NumLockIndicatorMode = 6;
  settings.CaretIndicator_Positon = 3;
  settings.CaretIndicator_Color_Main_Background = 0xABCDEF;
  settings.IsDontShowByApplicationFilename2 = false;
  settings.IsChangeRGB_KeyboardLogitech = true;
  settings.SL_Lang_RGB_Color = {L"US=112233", L"us=445566"};
  windows.Main = {50, 60, 950, 710};
  windows.Indicator = {300, 40, 831, 70};
  windows.Switches[MinimizeSwitch::OnEsc] = false;
  settings.Save(kFile, windows);

  FakeSettingsWindows back;
  core::TSettings loaded;
  loaded.Load(kFile, back);
  EXPECT_EQ(loaded.BorderWidth, 3);
  EXPECT_FALSE(loaded.IsShowDate);
  EXPECT_EQ(loaded.Panel_Date_Color, 0x123456);
  EXPECT_EQ(loaded.TransparentValue, 111);
  EXPECT_EQ(loaded.DesktopBorderWidth, 7);
  EXPECT_FALSE(loaded.ShowTaskbarBorder_T);
  EXPECT_EQ(loaded.SL_Lang_DesktopBorder_Color, settings.SL_Lang_DesktopBorder_Color);
  EXPECT_EQ(loaded.SL_Lang_Color_Font, settings.SL_Lang_Color_Font);
  EXPECT_TRUE(loaded.MouseIndicator_IsWindowInfo);
  EXPECT_EQ(loaded.MouseIndicator_Color_Led_On, 0x00AABB);
  EXPECT_EQ(loaded.MouseIndicator_SL_Lang_Color_Background, settings.MouseIndicator_SL_Lang_Color_Background);
  EXPECT_EQ(loaded.SL_Exclude_AppFileName, settings.SL_Exclude_AppFileName);
  EXPECT_EQ(loaded.SystemTrayIndicator_NumLockIndicatorMode, 6);
  EXPECT_EQ(loaded.CaretIndicator_Positon, 3);
  EXPECT_EQ(loaded.CaretIndicator_Color_Main_Background, 0xABCDEF);
  EXPECT_FALSE(loaded.IsDontShowByApplicationFilename2);
  EXPECT_TRUE(loaded.IsChangeRGB_KeyboardLogitech);
  EXPECT_EQ(loaded.SL_Lang_RGB_Color, settings.SL_Lang_RGB_Color);
  EXPECT_EQ(back.Main.Left, 50);
  EXPECT_EQ(back.Main.Top, 60);
  EXPECT_EQ(back.Indicator.Left, 300);
  EXPECT_EQ(back.Indicator.Top, 40);
  EXPECT_FALSE(back.Switches[MinimizeSwitch::OnEsc]);
  EXPECT_TRUE(back.Switches[MinimizeSwitch::OnClose]);
}

// Files that reached the program and were read wrongly, read as the file rules say.
struct ReadCase {
  const char* name;
  const char* json;
  void (*check)(const core::TSettings&, const FakeSettingsWindows&);
};

class SettingsFileRules : public SettingsLoad, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(SettingsFileRules, AreRead) {
  // A monitor far out where the main window cases put it, so that they show the bound and not
  // the return of a window that lies on no monitor.
  sys->OtherMonitors = {{999'000, -1'001'000, 1'002'000, -998'000}};
  LoadText(GetParam().json);
  GetParam().check(settings, windows);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileRules,
    ::testing::Values(
        // A name typed in an editor that saves in the ANSI code page: one byte, not the file.
        ReadCase{"ansiByteInAName",
                 "{\"Exclude_AppFileName\":"
                 "{\"SL_Exclude_AppFileName\":[\"1:Caf\xE9.exe\",\"0;x\"]},"
                 "\"DesktopIndicator\":{\"BorderWidth\":3}}",
                 [](const core::TSettings& s, const FakeSettingsWindows&) {
                   EXPECT_EQ(s.SL_Exclude_AppFileName,
                             (core::TStringList{L"1:Caf\uFFFD.exe", L"0;x"}));
                   EXPECT_EQ(s.BorderWidth, 3);
                 }},
        ReadCase{"sameKeyInThreeLetterCases",
                 R"({"DesktopIndicator":{"BorderWidth":1,"borderwidth":2,"BorderWidth":3}})",
                 [](const core::TSettings& s, const FakeSettingsWindows&) {
                   EXPECT_EQ(s.BorderWidth, 3);
                 }},
        ReadCase{"largestIntegers",
                 R"({"MouseIndicator":{"MouseIndicator_AutoHideSec":2147483647,
                     "MouseIndicator_TransparentValue":-2147483648}})",
                 [](const core::TSettings& s, const FakeSettingsWindows&) {
                   EXPECT_EQ(s.MouseIndicator_AutoHideSec, 2147483647);
                   EXPECT_EQ(s.MouseIndicator_TransparentValue, -2147483647 - 1);
                 }},
        // Left + Width of the main window must stay an int for the window code.
        ReadCase{"mainWindowAtTheIntLimits",
                 R"({"MainWindow":{"Left":2147483647,"Top":-2147483648}})",
                 [](const core::TSettings&, const FakeSettingsWindows& w) {
                   EXPECT_EQ(w.Main.Left, 1'000'000);
                   EXPECT_EQ(w.Main.Top, -1'000'000);
                   EXPECT_EQ(w.Main.Right, 1'000'000 + 900);
                 }},
        ReadCase{"mainWindowJustInsideTheBound",
                 R"({"MainWindow":{"Left":1000000,"Top":-999999}})",
                 [](const core::TSettings&, const FakeSettingsWindows& w) {
                   EXPECT_EQ(w.Main.Left, 1'000'000);
                   EXPECT_EQ(w.Main.Top, -999'999);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// Values outside what their field can hold are refused like a bad colour text, with a message
// that names their key.
struct RefusedCase {
  const char* name;
  const char* json;
  const wchar_t* key;
};

class SettingsRefusedValues : public SettingsLoad,
                              public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(SettingsRefusedValues, AreNamedByTheirKey) {
  sys->AddFile(kFile, GetParam().json);
  try {
    settings.Load(kFile, windows);
    FAIL() << "no error";
  } catch (const os::Error& e) {
    EXPECT_NE(e.Message().find(GetParam().key), std::wstring::npos) << os::WideToUtf8(e.Message());
  }
  EXPECT_EQ(settings.BorderWidth, 2) << "not wrapped into the field";
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsRefusedValues,
    ::testing::Values(
        // Above the signed 64-bit range: it used to wrap to -1.
        RefusedCase{"aboveInt64", R"({"DesktopIndicator":{"BorderWidth":18446744073709551615}})",
                    L"\"BorderWidth\""},
        RefusedCase{"aboveInt", R"({"DesktopIndicator":{"BorderWidth":2147483648}})",
                    L"\"BorderWidth\""},
        RefusedCase{"belowInt", R"({"DesktopIndicator":{"BorderWidth":-2147483649}})",
                    L"\"BorderWidth\""},
        RefusedCase{"belowInt64", R"({"MainWindow":{"Left":-9223372036854775809}})",
                    L"\"Left\""},
        RefusedCase{"listInAList",
                    R"({"Exclude_WindowClass":{"SL_Exclude_WindowClass":["1:A",["1:B"]]}})",
                    L"\"SL_Exclude_WindowClass\""},
        RefusedCase{"objectInAList",
                    R"({"Exclude_WindowClass":{"SL_Exclude_WindowClass":[{"1:B":1}]}})",
                    L"\"SL_Exclude_WindowClass\""}),
    [](const auto& info) { return std::string(info.param.name); });

// The reported fault: a list 12,000 levels deep (24 KB) overflowed the stack while its element
// was turned into text, and the program died at start.
TEST_F(SettingsLoad, AListNestedThousandsOfLevelsDeepIsRefusedWhole) {
  const std::string deep =
      R"({"MainWindow":{"Left":5},"Exclude_WindowClass":{"SL_Exclude_WindowClass":)" +
      std::string(12000, '[') + std::string(12000, ']') + "}}";
  sys->AddFile(kFile, deep);
  EXPECT_THROW(settings.Load(kFile, windows), os::Error);
  EXPECT_EQ(windows.Main, FakeSettingsWindows().Main) << "nothing was read";
  EXPECT_EQ(settings.SL_Exclude_WindowClass.size(), 6u);
}

// The reported file: 100,000 distinct keys (1.5 MB) that the program does not know. They are
// skipped, and the known keys around them are read. (Its cost is counted in the reader's tests.)
TEST_F(SettingsLoad, AHundredThousandUnknownKeysAreSkipped) {
  std::string text = "{\"DesktopIndicator\":{\"BorderWidth\":1,";
  for (int i = 0; i < 100'000; ++i) {
    text += "\"Unknown_" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  }
  text += "\"borderwidth\":3},\"CaretIndicator\":{\"CaretIndicator_Positon\":2}}";
  LoadText(text);
  EXPECT_EQ(settings.BorderWidth, 3);
  EXPECT_EQ(settings.CaretIndicator_Positon, 2);
  ASSERT_TRUE(settings.JSON);
  EXPECT_EQ((*settings.JSON)["DesktopIndicator"].size(), 100'001u);
}

TEST_F(SettingsLoad, AnEntryWithAnEmptyValueReadsAsTheTooltipColour) {
  LoadText(R"({"DesktopIndicator":{"SL_Lang_Color_Background":["US="]}})");
  const auto value = core::FindEntryValue(settings.SL_Lang_Color_Background, L"US");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(core::HexRGBToColor(*value), os::clInfoBk);
}

TEST_F(SettingsLoad, SystemColourSavedReadsBackAsItsRgbValue) {
  sys->SysColors[24] = 0xE1FFFF;
  settings.MouseIndicator_Color_Main_Background = os::clInfoBk;
  settings.Save(kFile, windows);
  core::TSettings next;
  next.Load(kFile, windows);
  EXPECT_EQ(next.MouseIndicator_Color_Main_Background, 0xE1FFFF);
}

TEST(SettingsDefaults, ColoursByLanguageDifferPerIndicator) {
  core::TSettings s;
  EXPECT_FALSE(s.MouseIndicator_IsColorsByLang);
  EXPECT_TRUE(s.CaretIndicator_IsColorsByLang);
  EXPECT_FALSE(s.IsColorsByLang);
  EXPECT_EQ(s.SL_Exclude_WindowClass,
            (core::TStringList{L"1:MSTaskListWClass", L"1:MSTaskSwWClass", L"1:Shell_TrayWnd",
                               L"1:Start", L"1:TrayNotifyWnd", L"1:TrayButton"}));
  EXPECT_EQ(s.SL_Exclude_AppFileName2,
            (core::TStringList{L"1:SystemSettings.exe", L"1:calc.exe", L"1:CalculatorApp.exe"}));
}

// --- One bad value in a file of good ones. The reported file: "Color_Main_Background" was
// "12345Z", and every value after it (the mouse indicator's hiding time, an application
// exclusion list, the caret indicator's corner, the taskbar border) came back as its default,
// which the save at exit then wrote over the user's values.

// Settings and windows with a value unlike its default in every section.
void MakeGood(core::TSettings& s, FakeSettingsWindows& w) {
  w.Main = {50, 60, 950, 710};
  w.Switches[MinimizeSwitch::OnStart] = true;
  w.Indicator = {300, 40, 831, 70};
  s.BorderWidth = 3;
  s.Panel_Time_Font_Color = 0x010203;
  s.Color_Main_Font = 0x0A0B0C;
  s.Color_Main_Background = 0x112233;
  s.TransparentValue = 150;
  s.SL_Lang_Color_Font = {L"US=102030"};
  s.DesktopBorderWidth = 5;
  s.IsShowTaskbarBorder = true;
  s.SL_Lang_DesktopBorder_Color = {L"DE=405060"};
  s.MouseIndicator_AutoHideSec = 7;
  s.MouseIndicator_Color_Main_Background = 0x445566;
  s.MouseIndicator_SL_Lang_Color_Font = {L"FR=708090"};
  s.IsDontShowByWindowClass = false;
  s.SL_Exclude_WindowClass = {L"1;Notepad"};
  s.SL_Exclude_AppFileName = {L"1;game.exe", L"0;editor.exe"};
  s.SystemTrayIndicator_NumLockIndicatorMode = 6;
  s.CaretIndicator_Positon = 2;
  s.CaretIndicator_Color_Main_Background = 0x778899;
  s.SL_Exclude_AppFileName2 = {L"1;term.exe"};
  s.IsChangeRGB_KeyboardLogitech = true;
  s.SL_Lang_RGB_Color = {L"US=A0B0C0"};
}

struct OneBadCase {
  const char* name;
  const char* section;
  const char* key;
  const char* bad;  // JSON text
  // What the load leaves unread: the value's default, put into the good settings.
  void (*unread)(core::TSettings&, FakeSettingsWindows&);
};

class SettingsOneBadValue : public SettingsLoad, public ::testing::WithParamInterface<OneBadCase> {
 protected:
  std::string SavedText(core::TSettings& s, FakeSettingsWindows& w) {
    s.Save(L"C:\\Work\\Settings\\saved.json", w);
    return sys->FileText(L"C:\\Work\\Settings\\saved.json");
  }
};

TEST_P(SettingsOneBadValue, CostsThatValueAloneAndTheSaveKeepsTheRest) {
  const OneBadCase& c = GetParam();
  core::TSettings good;
  FakeSettingsWindows goodWindows;
  MakeGood(good, goodWindows);
  core::Json doc = core::ParseJsonText(SavedText(good, goodWindows));
  ASSERT_TRUE(doc[c.section].contains(c.key)) << "the case names a key the file holds";
  doc[c.section][c.key] = core::Json::parse(c.bad);
  sys->AddFile(kFile, doc.dump(2));

  try {
    settings.Load(kFile, windows);
    ADD_FAILURE() << "the bad value was not reported";
  } catch (const os::Error& e) {
    const std::wstring place = L"Section \"" + os::Utf8ToWide(c.section) + L"\", key \"" +
                               os::Utf8ToWide(c.key) + L"\"";
    EXPECT_NE(e.Message().find(place), std::wstring::npos) << os::WideToUtf8(e.Message());
  }

  core::TSettings expected;
  FakeSettingsWindows expectedWindows;
  MakeGood(expected, expectedWindows);
  c.unread(expected, expectedWindows);
  // The whole file the save writes: every good value, and the bad one's default.
  EXPECT_EQ(SavedText(settings, windows), SavedText(expected, expectedWindows));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsOneBadValue,
    ::testing::Values(
        OneBadCase{"theReportedColour", "DesktopIndicator", "Color_Main_Background", R"("12345Z")",
                   [](core::TSettings& s, FakeSettingsWindows&) { s.Color_Main_Background = 0xCC6600; }},
        OneBadCase{"theFirstKeyOfTheFile", "MainWindow", "Left", R"("far left")",
                   [](core::TSettings&, FakeSettingsWindows& w) {
                     w.SetMainWindowLeft(FakeSettingsWindows().Main.Left);
                   }},
        OneBadCase{"aColourBeforeTheClamps", "DesktopIndicator", "Panel_Time_Font_Color", R"("GG0000")",
                   [](core::TSettings& s, FakeSettingsWindows&) { s.Panel_Time_Font_Color = 0x93DB70; }},
        OneBadCase{"anIntegerBeyondInt", "DesktopBorder", "DesktopBorderWidth", "2147483648",
                   [](core::TSettings& s, FakeSettingsWindows&) { s.DesktopBorderWidth = 2; }},
        OneBadCase{"anIntegerAsAnObject", "MouseIndicator", "MouseIndicator_AutoHideSec", R"({"s": 7})",
                   [](core::TSettings& s, FakeSettingsWindows&) { s.MouseIndicator_AutoHideSec = 3; }},
        OneBadCase{"aBooleanAsAWord", "Exclude_WindowClass", "IsDontShowByWindowClass", R"("maybe")",
                   [](core::TSettings& s, FakeSettingsWindows&) { s.IsDontShowByWindowClass = true; }},
        OneBadCase{"aListAsAText", "Exclude_AppFileName", "SL_Exclude_AppFileName", R"("1;game.exe")",
                   [](core::TSettings& s, FakeSettingsWindows&) {
                     s.SL_Exclude_AppFileName = core::TSettings().SL_Exclude_AppFileName;
                   }},
        OneBadCase{"aModeAsNull", "SystemTrayIndicator", "SystemTrayIndicator_NumLockIndicatorMode", "null",
                   [](core::TSettings& s, FakeSettingsWindows&) { s.SystemTrayIndicator_NumLockIndicatorMode = 4; }},
        OneBadCase{"theLastColourOfTheCaret", "CaretIndicator", "CaretIndicator_Color_Main_Background", "[]",
                   [](core::TSettings& s, FakeSettingsWindows&) {
                     s.CaretIndicator_Color_Main_Background = 0xFFFFFF;
                   }},
        OneBadCase{"theLastKeyOfTheFile", "RGB_Lighting", "SL_Lang_RGB_Color", "5",
                   [](core::TSettings& s, FakeSettingsWindows&) { s.SL_Lang_RGB_Color.clear(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Values of the wrong shape where a section or a list belongs. They are refused like a bad
// colour text, with a message that names the place; what they held keeps its lines (the lists
// are set apart from their defaults here, so that an emptied or a re-read list shows), and
// everything else is read.

constexpr core::TStringList core::TSettings::*kEveryList[] = {
    &core::TSettings::SL_Lang_Color_Font,
    &core::TSettings::SL_Lang_Color_Background,
    &core::TSettings::SL_Lang_DesktopBorder_Color,
    &core::TSettings::MouseIndicator_SL_Lang_Color_Font,
    &core::TSettings::MouseIndicator_SL_Lang_Color_Background,
    &core::TSettings::SL_Exclude_WindowClass,
    &core::TSettings::SL_Exclude_AppFileName,
    &core::TSettings::CaretIndicator_SL_Lang_Color_Font,
    &core::TSettings::CaretIndicator_SL_Lang_Color_Background,
    &core::TSettings::SL_Exclude_AppFileName2,
    &core::TSettings::SL_Lang_RGB_Color,
};

void MarkEveryList(core::TSettings& s) {
  int n = 0;
  for (auto list : kEveryList) s.*list = {L"XX=0000" + std::to_wstring(n++)};
}

class SettingsWrongShape : public SettingsLoad {
 protected:
  // Loads text into settings, their lists marked first; the load must be refused with a message
  // that holds every one of `named`. Returns the message.
  std::wstring LoadRefused(core::TSettings& into, const std::string& text,
                           std::initializer_list<const wchar_t*> named) {
    MarkEveryList(into);
    sys->AddFile(kFile, text);
    try {
      into.Load(kFile, windows);
      ADD_FAILURE() << "no error";
      return {};
    } catch (const os::Error& e) {
      for (const wchar_t* name : named) {
        EXPECT_NE(e.Message().find(name), std::wstring::npos) << os::WideToUtf8(e.Message());
      }
      return e.Message();
    }
  }
  // The file the settings would save, all of it; for settings untouched by the load it is the
  // file of marked defaults.
  std::string Saved(core::TSettings& s) {
    s.Save(L"C:\\Work\\Settings\\saved.json", windows);
    return sys->FileText(L"C:\\Work\\Settings\\saved.json");
  }
  std::string SavedDefaults() {
    core::TSettings defaults;
    MarkEveryList(defaults);
    return Saved(defaults);
  }
};

TEST_F(SettingsWrongShape, ASectionThatIsNoObjectIsRefusedAndChangesNothing) {
  const char* const wrongValues[] = {"[1, 2]", "\"oops\"", "5", "true", "null", "[]"};
  const char* const sections[] = {"MainWindow",          "DesktopIndicator",
                                  "DesktopBorder",       "MouseIndicator",
                                  "Exclude_WindowClass", "Exclude_AppFileName",
                                  "SystemTrayIndicator", "CaretIndicator",
                                  "Exclude_AppFileName2", "RGB_Lighting"};
  static_assert(std::size(sections) == 10);
  const std::string defaults = SavedDefaults();
  for (const char* section : sections) {
    for (const char* value : wrongValues) {
      SCOPED_TRACE(std::string(section) + ": " + value);
      core::TSettings s;
      windows = FakeSettingsWindows();
      LoadRefused(s, std::string("{\"") + section + "\": " + value + "}",
                  {(L"\"" + os::Utf8ToWide(section) + L"\"").c_str()});
      EXPECT_EQ(Saved(s), defaults);
    }
  }
}

// The reported files: the sections before and after the wrong one are read, it alone is not.
TEST_F(SettingsWrongShape, ReadsEverySectionButAWrongOne) {
  for (const char* wrong : {R"("DesktopBorder": [1, 2])", R"("MouseIndicator": "oops")"}) {
    SCOPED_TRACE(wrong);
    core::TSettings s;
    LoadRefused(s, std::string(R"({"DesktopIndicator": {"BorderWidth": 3, "SL_Lang_Color_Font": ["US=112233"]},)") +
                    wrong + R"(, "RGB_Lighting": {"SL_Lang_RGB_Color": ["US=445566"]}})",
                {L"Section"});
    EXPECT_EQ(s.BorderWidth, 3);
    EXPECT_EQ(s.SL_Lang_Color_Font, core::TStringList{L"US=112233"});
    EXPECT_TRUE(s.SL_Lang_Color_Background.empty()) << "read: the section holds no such key";
    EXPECT_EQ(s.SL_Lang_DesktopBorder_Color, core::TStringList{L"XX=00002"});
    EXPECT_EQ(s.MouseIndicator_SL_Lang_Color_Font, core::TStringList{L"XX=00003"});
    EXPECT_EQ(s.SL_Exclude_WindowClass, core::TStringList{L"XX=00005"}) << "section absent";
    EXPECT_EQ(s.SL_Lang_RGB_Color, core::TStringList{L"US=445566"}) << "after it: read";
  }
}

struct ListPlace {
  const char* section;
  const char* key;
  std::size_t index;  // in kEveryList
};

constexpr ListPlace kListPlaces[] = {
    {"DesktopIndicator", "SL_Lang_Color_Font", 0},
    {"DesktopIndicator", "SL_Lang_Color_Background", 1},
    {"DesktopBorder", "SL_Lang_DesktopBorder_Color", 2},
    {"MouseIndicator", "MouseIndicator_SL_Lang_Color_Font", 3},
    {"MouseIndicator", "MouseIndicator_SL_Lang_Color_Background", 4},
    {"Exclude_WindowClass", "SL_Exclude_WindowClass", 5},
    {"Exclude_AppFileName", "SL_Exclude_AppFileName", 6},
    {"CaretIndicator", "CaretIndicator_SL_Lang_Color_Font", 7},
    {"CaretIndicator", "CaretIndicator_SL_Lang_Color_Background", 8},
    {"Exclude_AppFileName2", "SL_Exclude_AppFileName2", 9},
    {"RGB_Lighting", "SL_Lang_RGB_Color", 10},
};
static_assert(std::size(kListPlaces) == std::size(kEveryList));

// A list key whose value is no list keeps its lines; the other lists of its section are read
// (emptied here: the file holds only the one key), every other list keeps its lines.
TEST_F(SettingsWrongShape, AListKeyThatHoldsNoListKeepsItsLines) {
  for (const auto& list : kListPlaces) {
    for (const char* value : {R"("US=010203")", "{}", "7", "null"}) {
      SCOPED_TRACE(std::string(list.key) + ": " + value);
      core::TSettings s;
      LoadRefused(s, std::string("{\"") + list.section + "\": {\"" + list.key + "\": " + value + "}}",
                  {(L"\"" + os::Utf8ToWide(list.section) + L"\"").c_str(),
                   (L"\"" + os::Utf8ToWide(list.key) + L"\"").c_str()});
      for (std::size_t i = 0; i < std::size(kEveryList); ++i) {
        const core::TStringList& now = s.*kEveryList[i];
        if (i == list.index) {
          EXPECT_EQ(now, core::TStringList{L"XX=0000" + std::to_wstring(i)}) << "kept";
        } else if (kListPlaces[i].section == std::string_view(list.section)) {
          EXPECT_TRUE(now.empty()) << "read, in its section: " << kListPlaces[i].key;
        } else {
          EXPECT_EQ(now, core::TStringList{L"XX=0000" + std::to_wstring(i)}) << kListPlaces[i].key;
        }
      }
    }
  }
}

// A member of a list that is no text (a number used to be taken as its digits, true as "true",
// null as an empty line) is left out and named in the message with its place; the texts around
// it are kept, in their order, in every list.
TEST_F(SettingsWrongShape, AListMemberThatIsNoTextIsLeftOutAndNamed) {
  const struct {
    const char* members;
    const wchar_t* named;
  } cases[] = {
      {R"(["US=010203", 5, "DE=040506"])", L"member 2 holds a number"},
      {R"([{"a": 1}, "US=010203", "DE=040506"])", L"member 1 holds an object"},
      {R"(["US=010203", "DE=040506", [1, 2]])", L"member 3 holds a list"},
      {R"(["US=010203", true, null, "DE=040506"])", L"member 3 holds null"},
  };
  for (const auto& list : kListPlaces) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(list.key) + ": " + c.members);
      core::TSettings s;
      LoadRefused(s, std::string("{\"") + list.section + "\": {\"" + list.key + "\": " + c.members + "}}",
                  {(L"Section \"" + os::Utf8ToWide(list.section) + L"\", key \"" +
                    os::Utf8ToWide(list.key) + L"\": ").c_str(),
                   c.named});
      EXPECT_EQ(s.*kEveryList[list.index], (core::TStringList{L"US=010203", L"DE=040506"}));
    }
  }
}

// Each refused member is a line of the message, up to ten; the rest are counted, so that a
// list of thousands of numbers does not give a message box taller than the screen.
TEST_F(SettingsWrongShape, AMessageListsTenRefusalsAndCountsTheRest) {
  std::string members = "\"US=010203\"";
  for (int i = 0; i < 25; ++i) members += ", " + std::to_string(i);
  core::TSettings s;
  const std::wstring message =
      LoadRefused(s, R"({"RGB_Lighting": {"SL_Lang_RGB_Color": [)" + members + "]}}",
                  {L"member 11 holds a number", L"\n... and 15 more."});
  EXPECT_EQ(message.find(L"member 12 "), std::wstring::npos) << os::WideToUtf8(message);
  EXPECT_EQ(std::count(message.begin(), message.end(), L'\n'), 10);
  EXPECT_EQ(s.SL_Lang_RGB_Color, core::TStringList{L"US=010203"});
}

}  // namespace
