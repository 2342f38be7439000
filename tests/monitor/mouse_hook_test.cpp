// The mouse hook: the indicator beside the pointer, the class and program under it, its rows'
// layout with the worked sizes, the enable switches and exclusion lists, and the auto-hide timer.
#include <gtest/gtest.h>

#include "monitor/globals.h"
#include "monitor/mouse_hook.h"
#include "pass_fixture.h"

namespace {

using monitor::fLangInfoMouse;

class MouseHook : public testing_support::PassFixture {
 protected:
  void SetUp() override {
    PassFixture::SetUp();
    explorerBar = sys->AddApp(L"C:\\Windows\\explorer.exe", L"Shell_TrayWnd", 0x04090409,
                              {0, 860, 1600, 900});
    calc = sys->AddApp(L"C:\\Windows\\System32\\CALC.EXE", L"ApplicationFrameWindow", 0x04090409,
                       {1000, 100, 1300, 400});
  }
  void Ready() {
    Start();
    fLangInfoMouse->Show();  // as the start-up timer does: the first show sets the 1-pixel frame
  }
  LRESULT Send(WPARAM message, os::Point at, int code = HC_ACTION) {
    MSLLHOOKSTRUCT info{};
    info.pt = {at.X, at.Y};
    return monitor::MouseHookProc(code, message, reinterpret_cast<LPARAM>(&info));
  }
  void Move(os::Point at) { Send(WM_MOUSEMOVE, at); }
  bool Shown() const {
    return fLangInfoMouse->Tag == 0 && ::IsWindowVisible(fLangInfoMouse->Handle());
  }
  bool Hidden() const {
    return fLangInfoMouse->Tag == 1 && !::IsWindowVisible(fLangInfoMouse->Handle());
  }
  os::WindowId explorerBar, calc;
};

TEST_F(MouseHook, PutsTheIndicatorBesideThePointerAndNamesWhatIsUnderIt) {
  Ready();
  Move({300, 400});
  Move({310, 420});
  auto& w = *fLangInfoMouse;
  EXPECT_EQ(w.Left(), 330);
  EXPECT_EQ(w.Top() + w.Height(), 410) << "its bottom edge 10 pixels above the pointer";
  EXPECT_EQ(w.L_WindowClass.Caption(), L"Notepad");
  EXPECT_EQ(w.L_AppName.Caption(), L"notepad.exe");
  EXPECT_TRUE(Shown());
  Move({5, 5});
  EXPECT_EQ(w.L_WindowClass.Caption(), L"") << "nothing under the pointer";
  EXPECT_EQ(w.Top(), 5 - w.Height() - 10) << "partly above the screen";
}

TEST_F(MouseHook, OtherMouseEventsAndOtherCodesOnlyPassThrough) {
  Ready();
  Move({300, 400});
  const os::Rect at = fLangInfoMouse->BoundsRect();
  Send(WM_LBUTTONDOWN, {600, 600});
  Send(WM_MOUSEWHEEL, {600, 600});
  Send(WM_MOUSEMOVE, {600, 600}, 3 /* HC_NOREMOVE */);
  EXPECT_EQ(fLangInfoMouse->BoundsRect(), at);
}

// Sizes with the fixed text measurer: a bold character of the 11-pixel font is 6 wide and a line
// 14 high; the clock's 15-pixel bold font 8 wide and 18 high. Class "Notepad" (42), application
// "notepad.exe" (66), clock "12:34:56" (64). Frame lines 1 pixel.
struct RowsCase {
  const char* Name;
  int Dpi;
  bool CapsNum, Time, Info;
  int Width, Height;
};

class MouseHookRows : public MouseHook, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(MouseHookRows, LayTheIndicatorOut) {
  const RowsCase& c = GetParam();
  sys->Dpi = c.Dpi;
  Ready();
  S().MouseIndicator_IsShowCapsNum = c.CapsNum;
  S().MouseIndicator_IsShowTime = c.Time;
  S().MouseIndicator_IsWindowInfo = c.Info;
  fLangInfoMouse->L_Time.SetCaption(L"12:34:56");
  Move({300, 400});
  EXPECT_EQ(fLangInfoMouse->Width(), c.Width);
  EXPECT_EQ(fLangInfoMouse->Height(), c.Height);
  EXPECT_EQ(fLangInfoMouse->L_CAPS.Visible(), c.CapsNum);
  EXPECT_EQ(fLangInfoMouse->Panel_NumInd.Visible(), c.CapsNum);
  EXPECT_EQ(fLangInfoMouse->L_Time.Visible(), c.Time);
  EXPECT_EQ(fLangInfoMouse->L_AppName.Visible(), c.Info);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MouseHookRows,
    ::testing::Values(RowsCase{"none96", 96, false, false, false, 45, 20},
                      RowsCase{"capsNum96", 96, true, false, false, 1 + 66 + 0 + 1, 40},
                      RowsCase{"none144", 144, false, false, false, 68, 30},
                      RowsCase{"capsNum144", 144, true, false, false, 2 + 99 + 2, 60},
                      RowsCase{"time96", 96, false, true, false, 1 + 50 + 64 + 4 + 1, 20},
                      RowsCase{"capsTime96", 96, true, true, false, 1 + 66 + 64 + 10 + 1, 40},
                      RowsCase{"info96", 96, false, false, true, 1 + 50 + 66 + 10 + 1,
                               14 + 14 + 1 + 1 + 5},
                      RowsCase{"timeInfo96", 96, false, true, true, 1 + 50 + 66 + 10 + 1,
                               14 + 14 + 18 + 1 + 1 + 5}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MouseHook, TheClockRowTakesItsColoursAndSitsByTheCapsNumRow) {
  Ready();
  S().MouseIndicator_IsShowCapsNum = true;
  S().MouseIndicator_IsShowTime = true;
  S().MouseIndicator_Panel_Time_Font_Color = 0x112233;
  S().MouseIndicator_Panel_Time_Color = 0x445566;
  fLangInfoMouse->L_Time.SetCaption(L"12:34:56");
  Move({300, 400});
  auto& t = fLangInfoMouse->L_Time;
  EXPECT_EQ(t.GetFont().Color, 0x112233);
  EXPECT_EQ(t.Color(), 0x445566);
  EXPECT_EQ(t.Left(), 73);
  EXPECT_EQ(t.Top(), 40 / 2 - 18 / 2 - 1);
  EXPECT_EQ(fLangInfoMouse->L_Lang.Left(), 5);
  EXPECT_EQ(fLangInfoMouse->L_Lang.Top(), 20);
}

TEST_F(MouseHook, HidesOverExcludedClassesAndProgramsWholeNamesOnly) {
  Ready();
  S().SL_Exclude_WindowClass = {L"1:Shell_TrayWnd", L"1:Notepa", L"0:ApplicationFrameWindow",
                                L"1:"};
  S().BuildFilterLists();
  struct Case {
    os::Point At;
    bool Shown;
  } cases[] = {
      {{500, 880}, false},   // the taskbar's class
      {{1100, 200}, false},  // calc.exe, its file name in capitals
      {{300, 300}, true},    // "Notepa" is only part of "Notepad"
  };
  for (const Case& c : cases) {
    Move(c.At);
    EXPECT_EQ(Shown(), c.Shown) << c.At.X << "," << c.At.Y;
    EXPECT_EQ(Hidden(), !c.Shown);
  }
  S().IsDontShowByApplicationFilename = false;
  Move({1100, 200});
  EXPECT_TRUE(Shown()) << "the application list's switch off";
}

TEST_F(MouseHook, AProgramThatCannotBeAskedShowsNoNameAndIsNotExcluded) {
  Ready();
  Move({1100, 200});
  ASSERT_TRUE(Hidden());
  sys->ProcessOf(notepad).CannotOpen = true;
  Move({300, 300});
  EXPECT_EQ(fLangInfoMouse->L_AppName.Caption(), L"") << "not calc's name";
  EXPECT_TRUE(Shown());
}

TEST_F(MouseHook, TheEnableSwitchesHideItOnEveryMove) {
  Ready();
  for (bool* flag : {&core::IsEnabled_MouseIndicator, &core::IsEnabled_AllIndicator}) {
    *flag = false;
    Move({300, 300});
    EXPECT_TRUE(Hidden());
    *flag = true;
    Move({301, 300});
    EXPECT_TRUE(Shown());
  }
  S().MouseIndicator_IsShow = false;
  Move({302, 300});
  EXPECT_TRUE(Hidden());
}

TEST_F(MouseHook, EachMoveRestartsTheAutoHideTimer) {
  Ready();
  S().MouseIndicator_AutoHideSec = 5;
  Move({300, 300});
  EXPECT_EQ(fLangInfoMouse->TimerAutoHide.Interval(), 5000);
  EXPECT_TRUE(fLangInfoMouse->TimerAutoHide.Running());
  fLangInfoMouse->TimerAutoHide.SetEnabled(false);
  S().MouseIndicator_IsAutoHide = false;
  Move({301, 300});
  EXPECT_FALSE(fLangInfoMouse->TimerAutoHide.Enabled()) << "not touched with auto-hide off";
  S().MouseIndicator_IsAutoHide = true;
  core::IsEnabled_AllIndicator = false;
  Move({302, 300});
  EXPECT_FALSE(fLangInfoMouse->TimerAutoHide.Enabled()) << "nor while it is hidden";
}

TEST_F(MouseHook, TheAutoHideTimerHidesItAndTheNextMoveShowsIt) {
  Ready();
  Move({300, 300});
  ASSERT_TRUE(Shown());
  fLangInfoMouse->TimerAutoHide.OnTimer();
  EXPECT_TRUE(Hidden());
  Move({305, 300});
  EXPECT_TRUE(Shown());
}

}  // namespace
