// The pages against their tables: each control's place, size and range at 96 DPI, and each
// caption's English text.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "pages_fixture.h"
#include "ui/bevel.h"

namespace os {
// Rectangles in failure messages as left, top, width x height.
void PrintTo(const Rect& r, std::ostream* out) {
  *out << r.Left << ", " << r.Top << " " << r.Width() << " x " << r.Height();
}
}  // namespace os

namespace {

using monitor::TfMain;
using testing_support::PagesFixture;

using Getter = ui::Control& (*)(TfMain&);
#define C(name) #name, [](TfMain& m) -> ui::Control& { return m.name; }

struct Place {
  const char* Name;
  Getter Get;
  int Left, Top, Width, Height;  // -1: not given by the table
};

// Switches 40 x 18, check boxes 17 x 17, colour buttons 50 x 22, number boxes 21 high.
const Place kPlaces[] = {
    // Common Settings
    {C(swAutorun), 6, 7, 40, 18},
    {C(swMinimizedOnStart), 6, 34, 40, 18},
    {C(swMinimizedOnClose), 6, 61, 40, 18},
    {C(swMinimizedToTray), 43, 87, 40, 18},
    {C(swMinimizedOnEsc), 6, 114, 40, 18},
    {C(swEnabled_MouseIndicator), 43, 176, 40, 18},
    {C(swEnabled_AllIndicator), 43, 204, 40, 18},
    {C(Bevel_Common), -1, 148, -1, -1},
    {C(L_TemporaryHide), 7, 155, -1, -1},
    // Desktop Indicator
    {C(edBorderWidth), 77, 57, 90, 21},
    {C(swShowTime), 213, 14, 40, 18},
    {C(swShowDate), 213, 89, 40, 18},
    {C(swShowDesktopIndicator), 5, 14, 40, 18},
    {C(btnColor_Time_Font), 324, 34, 50, 22},
    {C(btnColor_Time_Background), 324, 58, 50, 22},
    {C(btnColor_Date_Font), 324, 109, 50, 22},
    {C(btnColor_Date_Background), 324, 133, 50, 22},
    {C(btnColor_Led_Off), 526, 34, 50, 22},
    {C(btnColor_Led_On), 526, 58, 50, 22},
    {C(btnColor_Main_Font), 526, 109, 50, 22},
    {C(btnColor_Main_Background), 526, 133, 50, 22},
    {C(swColorsByLang), 5, 168, 40, 18},
    {C(swTransparent), 5, 89, 40, 18},
    {C(edTransparent), 77, 111, 90, 21},
    {C(PanelSettings_DesktopIndicator), 0, 0, -1, 200},
    {C(btnDesktopIndicatorReset), 4, 2, 90, 27},
    // Desktop Border
    {C(edDesktopBorderWidth), 514, 64, 100, 21},
    {C(swShowWorkareaBorder), 11, 8, 40, 18},
    {C(cbShowWorkareaBorder_L), 12, 54, 17, 17},
    {C(cbShowWorkareaBorder_R), 162, 54, 17, 17},
    {C(cbShowWorkareaBorder_T), 88, 32, 17, 17},
    {C(cbShowWorkareaBorder_B), 88, 76, 17, 17},
    {C(swShowTaskbarBorder), 275, 8, 40, 18},
    {C(cbShowTaskbarBorder_L), 276, 54, 17, 17},
    {C(cbShowTaskbarBorder_R), 426, 54, 17, 17},
    {C(cbShowTaskbarBorder_T), 352, 32, 17, 17},
    {C(cbShowTaskbarBorder_B), 352, 76, 17, 17},
    {C(ShapeWorkareaScreen), 20, 40, 150, 45},
    {C(ShapeTaskbarScreen), 284, 40, 150, 45},
    {C(PanelPreviewWorkareaBorder), 0, 0, -1, 150},
    {C(PanelPreviewTaskbarBorder), 0, 150, -1, 50},
    {C(PanelSettings_DesktopBorder), 0, 200, -1, 105},
    {C(Bevel_Start), 9, 9, 82, 30},
    {C(btnDesktopBorderReset), 4, 2, 90, 27},
    // Mouse Indicator
    {C(swShowMouseIndicator), 5, 14, 40, 18},
    {C(swMouseIndicatorAutoHide), 5, 56, 40, 18},
    {C(edMouseIndicatorAutoHideSec), 85, 79, 100, 21},
    {C(swShowTime_MouseIndicator), 242, 14, 40, 18},
    {C(swShowCapsNum_MouseIndicator), 453, 14, 40, 18},
    {C(btnColor_MouseIndicator_Led_Off), 566, 34, 50, 22},
    {C(btnColor_MouseIndicator_Led_On), 566, 58, 50, 22},
    {C(btnColor_MouseIndicator_Main_Font), 566, 109, 50, 22},
    {C(btnColor_MouseIndicator_Main_Background), 566, 133, 50, 22},
    {C(btnColor_MouseIndicator_Time_Font), 353, 34, 50, 22},
    {C(btnColor_MouseIndicator_Time_Background), 353, 58, 50, 22},
    {C(swShowWinInfo_MouseIndicator), 242, 113, 40, 18},
    {C(swTransparent_MouseIndicator), 5, 113, 40, 18},
    {C(edTransparent_MouseIndicator), 85, 135, 100, 21},
    {C(swColorsByLang_MouseIndicator), 5, 168, 40, 18},
    {C(PanelSettings_MouseIndicator), 0, 0, -1, 200},
    {C(btnMouseIndicatorReset), 4, 2, 90, 27},
    // First Exclude List
    {C(swDontShowByWindowClass), 2, 5, 40, 18},
    {C(swDontShowByApplicationFilename), 6, 6, 40, 18},
    {C(PanelHint_ExcludeList), 0, 0, -1, 75},
    {C(PanelWindowClass), 0, 75, 300, -1},
    {C(PanelHeader_WindowClass), 0, 0, 300, 30},
    {C(PanelHeader_AppName), 0, 0, -1, 30},
    {C(btnExcludeListReset), 4, 2, 90, 27},
    // System Tray Indicator
    {C(sw_TrayShowCapsLockIndicator), 13, 11, 40, 18},
    {C(sw_TrayShowNumLockIndicator), 255, 11, 40, 18},
    {C(grTray_CAPS_Mode), 12, 39, 198, 200},
    {C(grTray_NumLock_Mode), 254, 39, 198, 200},
    {C(btnSystemTrayIndicatorReset), 4, 2, 90, 27},
    // Caret Indicator
    {C(swShowCaretIndicator), 5, 14, 40, 18},
    {C(swShowCaretIndicatorCapsNum), 244, 14, 40, 18},
    {C(swCaretIndicatorAutoHide), 5, 45, 40, 18},
    {C(edCaretIndicatorAutoHideValue), 85, 68, 100, 21},
    {C(swCaretIndicatorTransparent), 5, 96, 40, 18},
    {C(edCaretIndicatorTransparentValue), 85, 118, 100, 21},
    {C(cbCaretIndicatorPosition), 446, 67, 150, 110},
    {C(swColorsByLang_CaretIndicator), 6, 159, 40, 18},
    {C(btnColor_CaretIndicator_Main_Font), 361, 95, 50, 22},
    {C(btnColor_CaretIndicator_Main_Background), 361, 119, 50, 22},
    {C(swCaretIndicatorDrawBlackBorder), 244, 45, 40, 18},
    {C(PanelSettings_CaretIndicator), 0, 0, -1, 189},
    {C(SpeedButton5), 4, 2, 90, 27},
    // Second Exclude List
    {C(swDontShowByApplicationFilename2), 6, 6, 40, 18},
    {C(PanelHint_ExcludeList2), 0, 0, -1, 75},
    {C(PanelHeader_AppName2), 0, 75, -1, 30},
    {C(btnExcludeListReset2), 4, 2, 90, 27},
    // RGB Keyboard Lighting
    {C(swChangeRGB_KeyboardLogitech), 8, 14, 40, 18},
    {C(PanelSettings_RGB), 0, 0, -1, 150},
    // Frame
    {C(PanelTop), 0, 0, -1, 55},
    // 210 wide, or wider where its link labels need it (CaptionFit checks both).
    {C(PanelWeb), 0, 0, -1, -1},
    {C(L_ProgramTitle), 0, 0, -1, 33},
    {C(L_ProgramVersion), 0, 33, -1, 16},
    {C(PanelLeft), 0, 55, 210, -1},
    {C(Panel5), 0, -1, -1, 40},
    {C(btnWinTree), 44, 5, 120, 30},
    {C(PanelBottom), 0, -1, -1, 34},
};

class PageTables : public PagesFixture {};

TEST_F(PageTables, EveryControlSitsAtItsPlaceWithItsSize) {
  auto& w = CreateMainWindow();
  for (const auto& p : kPlaces) {
    ui::Control& c = p.Get(w);
    if (p.Left >= 0) {
      EXPECT_EQ(c.Left(), p.Left) << p.Name;
    }
    if (p.Top >= 0) {
      EXPECT_EQ(c.Top(), p.Top) << p.Name;
    }
    if (p.Width >= 0) {
      EXPECT_EQ(c.Width(), p.Width) << p.Name;
    }
    if (p.Height >= 0) {
      EXPECT_EQ(c.Height(), p.Height) << p.Name;
    }
  }
  // The Hide button: 6 pixels from the bottom panel's right edge, also after a resize.
  EXPECT_EQ(w.PanelBottom.Width() - w.btnHide.Left() - w.btnHide.Width(), 6);
  EXPECT_EQ(w.btnHide.Top(), 1);
  EXPECT_EQ(w.btnHide.Width(), 90);
  w.SetWidth(w.Width() + 100);
  EXPECT_EQ(w.PanelBottom.Width() - w.btnHide.Left() - w.btnHide.Width(), 6);
  EXPECT_FALSE(w.btnExit.Visible());
  EXPECT_EQ(w.btnExit.Caption(), L"Exit");
}

TEST_F(PageTables, AtOneAndAHalfTheDpiEverythingScales) {
  sys->Dpi = 144;
  auto& w = CreateMainWindow();
  if (w.Px(96) != 144) GTEST_SKIP() << "the test desktop's DPI is not 144";
  for (const auto& p : kPlaces) {
    ui::Control& c = p.Get(w);
    if (p.Left > 0) {
      EXPECT_EQ(c.Left(), (p.Left * 3 + 1) / 2) << p.Name;
    }
    if (p.Width >= 0) {
      EXPECT_EQ(c.Width(), (p.Width * 3 + 1) / 2) << p.Name;
    }
  }
}

// The Exclude List pages at their design width (935): the add buttons, the hint texts and the
// pictures at their places in their bars and strips; the add buttons held to the top right of
// their bars and the key texts to the strips' right edges when the window is resized.
TEST_F(PageTables, ExclusionPagesAddButtonsAndHintsSitAtTheirPlaces) {
  auto& w = CreateMainWindow();
  w.Panel_ExcludeList.SetVisible(true);
  w.Panel_ExcludeList2.SetVisible(true);
  w.SetWidth(w.Width() + 935 - w.Panel_ExcludeList.Width());
  ASSERT_EQ(w.Panel_ExcludeList.Width(), 935);
  ASSERT_EQ(w.Panel_ExcludeList2.Width(), 935);

  struct At {
    const char* Name;
    Getter Get;
    Getter Parent;
    int Left, Top, Width, Height;
    bool FollowsTheRightEdge;  // of a bar or strip whose width follows the window's
    bool Stretches;
  };
#define P(name) [](TfMain& m) -> ui::Control& { return m.name; }
  const At places[] = {
      {C(SpeedButton3), P(PanelHeader_WindowClass), 266, 2, 28, 25, false, false},
      {C(SpeedButton2), P(PanelHeader_AppName), 570, 2, 28, 25, true, false},
      {C(SpeedButton1), P(PanelHeader_AppName), 600, 2, 28, 25, true, false},
      {C(SpeedButton8), P(PanelHeader_AppName2), 873, 2, 28, 25, true, false},
      {C(SpeedButton7), P(PanelHeader_AppName2), 903, 2, 28, 25, true, false},
      {C(L_InfoForCopy), P(PanelHint_ExcludeList), 4, 1, 182, 68, false, false},
      {C(L_InfoForCopy2), P(PanelHint_ExcludeList2), 2, 1, 181, 67, false, false},
      {C(Image1), P(PanelHint_ExcludeList), 158, -2, 277, 75, false, false},
      {C(Image2), P(PanelHint_ExcludeList2), 158, -2, 277, 75, false, false},
      {C(L_InfoForCopyKey), P(PanelHint_ExcludeList), 407, 1, 524, 66, true, true},
      {C(L_InfoForCopyKey2), P(PanelHint_ExcludeList2), 407, 1, 524, 66, true, true},
  };
#undef P
  auto check = [&](int grown) {
    for (const At& a : places) {
      ui::Control& c = a.Get(w);
      const std::string what = std::string(a.Name) + " with the window " +
                               std::to_string(grown) + " pixels wider";
      EXPECT_EQ(c.Parent(), &a.Parent(w)) << what;
      const int move = a.FollowsTheRightEdge && !a.Stretches ? grown : 0;
      const int stretch = a.Stretches ? grown : 0;
      EXPECT_EQ(c.BoundsRect(), (os::Rect{a.Left + move, a.Top, a.Left + move + a.Width + stretch,
                                          a.Top + a.Height}))
          << what;
    }
  };
  check(0);
  w.SetWidth(w.Width() + 100);
  check(100);
  w.SetWidth(w.Width() - 100);
  check(0);

  // Each strip is 75 high with a bevelled bottom edge across its width.
  for (ui::Panel* strip : {&w.PanelHint_ExcludeList, &w.PanelHint_ExcludeList2}) {
    EXPECT_EQ(strip->Height(), 75);
    const ui::Bevel* edge = nullptr;
    for (const ui::Control* c : strip->Children()) {
      if (const auto* b = dynamic_cast<const ui::Bevel*>(c)) edge = b;
    }
    ASSERT_NE(edge, nullptr) << "no bevel on the strip";
    EXPECT_EQ(edge->Shape(), ui::BevelShape::BottomLine);
    EXPECT_EQ(edge->Top() + edge->Height(), strip->Height());
    EXPECT_EQ(edge->Left(), 0);
    EXPECT_EQ(edge->Width(), strip->Width());
  }
}

struct Range {
  const char* Name;
  ui::NumberBox& (*Get)(TfMain&);
  int Min, Max;
};
#define N(name) #name, [](TfMain& m) -> ui::NumberBox& { return m.name; }

TEST_F(PageTables, NumberBoxesKeepTheirRanges) {
  const Range ranges[] = {
      {N(edBorderWidth), 0, 3},
      {N(edTransparent), 100, 255},
      {N(edDesktopBorderWidth), 1, 8},
      {N(edMouseIndicatorAutoHideSec), 1, 10},
      {N(edTransparent_MouseIndicator), 100, 255},
      {N(edCaretIndicatorAutoHideValue), 1, 10},
      {N(edCaretIndicatorTransparentValue), 100, 255},
  };
  auto& w = CreateMainWindow();
  for (const auto& r : ranges) {
    EXPECT_EQ(r.Get(w).MinValue(), r.Min) << r.Name;
    EXPECT_EQ(r.Get(w).MaxValue(), r.Max) << r.Name;
    EXPECT_EQ(r.Get(w).SpinWidth(), 20) << r.Name;
  }
}

struct Caption {
  const char* Name;
  Getter Get;
  const wchar_t* Text;
};

// The English table's texts with what the window appends.
const Caption kCaptions[] = {
    {C(L_Autorun), L"Autorun on Windows Start"},
    {C(L_MinimizedOnStart), L"Minimize On Start"},
    {C(L_MinimizedOnClose), L"Minimize On Close"},
    {C(L_MinimizedToTray), L"Minimize To System Tray"},
    {C(L_MinimizedOnEsc), L"Minimize On [Escape] Key"},
    {C(L_ShowDesktopIndicator), L"Show Desktop Indicator"},
    {C(L_BorderWidth_0_3), L"Border Width (0-3):"},
    {C(L_Transparent_100_255), L"Transparent (100-255):"},
    {C(L_Show_Time), L"Show Time"},
    {C(L_Show_Date), L"Show Date"},
    {C(L_CAPS_NUM_LedColor), L"CAPS && NUM Led Color"},
    {C(L_Off), L"Off:"},
    {C(L_On), L"On:"},
    {C(L_FontColor), L"Font Color:"},
    {C(L_FontColor2), L"Font Color:"},
    {C(L_FontColor3), L"Font Color:"},
    {C(L_FontColor4), L"Font Color:"},
    {C(L_FontColor5), L"Font Color:"},
    {C(L_FontColor6), L"Font Color:"},
    {C(L_BackgroundColor), L"Background Color:"},
    {C(L_BackgroundColor6), L"Background Color:"},
    {C(L_MainColors), L"Main Colors"},
    {C(L_MainColors5), L"Main Colors"},
    {C(L_MainColors6), L"Main Colors"},
    {C(L_ColorsByLang), L"Use Main Colors by Language:"},
    {C(L_ShowWorkareaBorder), L"Show Workarea Border"},
    {C(L_ShowTaskbarBorder), L"Show Taskbar Border"},
    {C(L_Border_Width_1_8), L"Border Width (1-8):"},
    {C(PanelPreviewWorkareaBorder), L"Preview Workarea Border"},
    {C(PanelPreviewTaskbarBorder), L"Preview Taskbar Border"},
    {C(L_Start), L"Start"},
    {C(L_ShowMouseIndicator), L"Show Mouse Indicator"},
    {C(L_MouseInfoAutoHideSec), L"Auto Hide after (1..10 sec):"},
    {C(L_Transparent_100_255_Mouse), L"Transparent (100-255):"},
    {C(L_Mouse_Show_Time), L"Show Time"},
    {C(L_Mouse_ShowWindowClass), L"Show Window Class and Application Filename"},
    {C(L_Mouse_Show_CapsNum), L"Show CAPS && NUM"},
    {C(L_LedColorOff), L"Led Color Off:"},
    {C(L_LedColorOn), L"Led Color On:"},
    {C(L_ColorsByLang_MouseIndicator), L"Use Main Colors by Language:"},
    {C(L_DontShowByWindowClass), L"Hide by Window Class"},
    {C(L_DontShowByApplicationFilename), L"Hide by Application Filename"},
    {C(L_DontShowByApplicationFilename2), L"Hide by Application Filename"},
    {C(L_InfoForCopy), L"When you see 'Windows Class' and 'Application Name' on mouse indicator:"},
    {C(L_InfoForCopy2), L"When you see 'Windows Class' and 'Application Name' on mouse indicator:"},
    {C(L_InfoForCopyKey), L"Press\r\n[Left Shift] + [Rigth Shift]\r\nto copy text to lists"},
    {C(Label_F2_Enter), L"[F2], [Enter] - Edit\r\n[Del] - Delete"},
    {C(Label_F2_Enter2), L"[F2], [Enter] - Edit\r\n[Del] - Delete"},
    {C(L_InfoForCopyKey2), L"Press\r\n[Left Alt] + [Rigth Alt]\r\nto copy text to list"},
    {C(btnDesktopIndicatorReset), L"Reset"},
    {C(btnDesktopBorderReset), L"Reset"},
    {C(btnMouseIndicatorReset), L"Reset"},
    {C(btnExcludeListReset), L"Reset"},
    {C(btnSystemTrayIndicatorReset), L"Reset"},
    {C(SpeedButton5), L"Reset"},
    {C(btnExcludeListReset2), L"Reset"},
    {C(L_Preview1), L"Preview:"},
    {C(L_Preview3), L"Preview:"},
    {C(L_ShowCapsLockIndicator), L"Show Caps Lock Indicator"},
    {C(L_ShowNumLockIndicator), L"Show Num Lock Indicator"},
    {C(L_ShowCaretIndicator), L"Show Caret Indicator"},
    {C(L_Caret_ShowCapsNum), L"Show state of Caps Lock && Num Lock"},
    {C(L_Caret_AutoHide), L"Auto Hide after (1..10 sec)"},
    {C(L_Caret_Transparent), L"Transparent (100-255)"},
    {C(cbCaretIndicatorPosition), L" Position "},
    {C(L_DrawBorder), L"Draw Border"},
    {C(L_ColorsByLang_CaretIndicator), L"Use Main Colors by Language:"},
    {C(btnHide), L"Hide"},
    {C(btnWinTree), L"Windows Tree"},
    {C(L_TemporaryHide), L"If you need Temporary Hide Indicators:"},
    {C(L_Enabled_MouseIndicator), L"Enabled - Mouse Indicator"},
    {C(L_Enabled_AllIndicators),
     L"Enabled - All Indicators (Mouse, Desktop, Border). Hot key - [Alt+Break]"},
    {C(L_Note), L"Note: You can order a modification of the program according to your "
                L"requirements (including New Brand, White Label, etc.)"},
    {C(L_ChangeRGB_KeyboardLogitech), L"Change RGB Lighting for LOGITECH Keyboards"},
    {C(L_ChangeRGB_KeyboardLogitech2),
     L"Before use, you must install the Logitech G-HUB Software and restart computer."},
    {C(L_ChangeRGB_KeyboardLogitech3),
     L"Download and Install the Logitech G-HUB Software from official web site"},
};

TEST_F(PageTables, EveryCaptionComesFromTheTextTable) {
  auto& w = CreateMainWindow();
  for (const auto& c : kCaptions) EXPECT_EQ(c.Get(w).Caption(), c.Text) << c.Name;
  EXPECT_EQ(w.edTest_CaretIndicator.Text(), L"Type any text here ...");
  const std::vector<std::wstring> modes{L"Mode 1", L"Mode 2", L"Mode 3", L"Mode 4",
                                        L"Mode 5", L"Mode 6", L"Mode 7"};
  EXPECT_EQ(w.grTray_CAPS_Mode.Items(), modes);
  EXPECT_EQ(w.grTray_NumLock_Mode.Items(), modes);
  EXPECT_EQ(w.cbCaretIndicatorPosition.Items(),
            (std::vector<std::wstring>{L"Top Left", L"Top Right", L"Bottom Left", L"Bottom Right"}));

  struct Header {
    ui::TreeList& Tree;
    std::vector<std::wstring> Texts;  // columns 1 on
  };
  const Header headers[] = {
      {w.vstLang_DesktopIndicator,
       {L"Language ISO 639", L"Country ISO 3166", L"Font Color", L"Background Color"}},
      {w.vstLang_MouseIndicator,
       {L"Language ISO 639", L"Country ISO 3166", L"Font Color", L"Background Color"}},
      {w.vstLang_CaretIndicator,
       {L"Language ISO 639", L"Country ISO 3166", L"Font Color", L"Background Color"}},
      {w.vstLang_DesktopBorder, {L"Language ISO 639", L"Country ISO 3166", L"Border Color"}},
      {w.vstLang_RGB, {L"Language ISO 639", L"Country ISO 3166", L"Keyboard Color"}},
  };
  for (const auto& h : headers) {
    ASSERT_EQ(h.Tree.ColumnCount(), static_cast<int>(h.Texts.size()) + 1);
    for (size_t i = 0; i < h.Texts.size(); ++i) {
      EXPECT_EQ(h.Tree.Column(static_cast<int>(i) + 1).Text, h.Texts[i]);
    }
  }
}

TEST_F(PageTables, AGroupWithMoreItemsNumbersThemOn) {
  auto& w = CreateMainWindow();
  auto items = w.grTray_CAPS_Mode.Items();
  items.push_back(L"x");
  w.grTray_CAPS_Mode.SetItems(items);
  w.ApplyLanguage();
  EXPECT_EQ(w.grTray_CAPS_Mode.Items().back(), L"Mode 8");
}

}  // namespace
