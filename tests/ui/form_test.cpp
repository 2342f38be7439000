// The form's system window: lazy creation, class names, alpha blending, native show and hide,
// painting, the close action, the native-call counter, and timers.
#include <gtest/gtest.h>

#include "support/fake_system.h"
#include "support/recording_canvas.h"
#include "support/ui_pixels.h"
#include "ui/canvas.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/label.h"
#include "ui/native_calls.h"
#include "ui/popup_menu.h"
#include "ui/panel.h"
#include "ui/timer.h"

namespace {

class PlainForm : public ui::Form {
 public:
  PlainForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetShowActivates(false);
    SetBounds(50, 60, 120, 40);
  }
  ui::Panel Box{this};
  ui::Label Text{this};
};

class FormTest : public ::testing::Test {
 protected:
  testing_support::ScopedFakeSystem sys;
};

LONG_PTR ExStyle(HWND h) { return ::GetWindowLongPtrW(h, GWL_EXSTYLE); }

TEST_F(FormTest, TheWindowIsMadeOnFirstAskWithoutBeingShown) {
  PlainForm form;
  EXPECT_FALSE(form.HandleAllocated());
  HWND h = form.Handle();
  ASSERT_NE(h, nullptr);
  EXPECT_FALSE(::IsWindowVisible(h));
  EXPECT_FALSE(form.Visible());
  RECT r{};
  ::GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right - r.left, 120);
}

TEST_F(FormTest, TheWindowClassIsTheFormsClassName) {
  PlainForm form;
  wchar_t name[64] = {};
  ::GetClassNameW(form.Handle(), name, 64);
  EXPECT_STREQ(name, L"PlainForm");
  ui::Form base;
  ::GetClassNameW(base.Handle(), name, 64);
  EXPECT_STREQ(name, L"Form");
}

TEST_F(FormTest, AlphaBlendingIsSwitchedOnAndOffAtRunTime) {
  PlainForm form;
  HWND h = form.Handle();
  EXPECT_EQ(ExStyle(h) & WS_EX_LAYERED, 0);
  form.SetAlphaBlendValue(120);
  EXPECT_EQ(ExStyle(h) & WS_EX_LAYERED, 0) << "a value alone does not blend";
  form.SetAlphaBlend(true);
  EXPECT_NE(ExStyle(h) & WS_EX_LAYERED, 0);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 120);
  form.SetAlphaBlendValue(200);
  ::GetLayeredWindowAttributes(h, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 200);
  form.SetAlphaBlend(false);
  EXPECT_EQ(ExStyle(h) & WS_EX_LAYERED, 0);
}

TEST_F(FormTest, AlphaBlendingSetBeforeTheWindowExistsIsAppliedAfterItsCreation) {
  PlainForm form;
  form.SetAlphaBlendValue(90);
  form.SetAlphaBlend(true);
  HWND h = form.Handle();
  EXPECT_NE(ExStyle(h) & WS_EX_LAYERED, 0);
  BYTE alpha = 0;
  ::GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
  EXPECT_EQ(alpha, 90);
}

TEST_F(FormTest, ANativeShowOrHideLeavesVisibleAlone) {
  PlainForm form;
  form.Show();
  HWND h = form.Handle();
  ASSERT_TRUE(::IsWindowVisible(h));
  form.SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  EXPECT_FALSE(::IsWindowVisible(h));
  EXPECT_TRUE(form.Visible());
  form.SetWindowPosNative(HWND_TOPMOST, 70, 80, 0, 0,
                          SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_TRUE(::IsWindowVisible(h));
  EXPECT_EQ(form.Left(), 70) << "a move is still seen";
  form.Hide();
  form.SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_FALSE(form.Visible());
}

TEST_F(FormTest, TheMinimumSizeHoldsForSizesSetFromCode) {
  PlainForm form;
  form.SetConstraints(200, 100);
  EXPECT_EQ(form.Width(), 200) << "the smaller size of before grows to the minimum";
  EXPECT_EQ(form.Height(), 100);
  form.SetWidth(150);
  EXPECT_EQ(form.Width(), 200);
  form.SetBounds(10, 20, 300, 90);
  EXPECT_EQ(form.BoundsRect(), (os::Rect{10, 20, 310, 120}));
  RECT r{};
  ::GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 100);
}

TEST_F(FormTest, ASecondaryFormHidesOnClose) {
  PlainForm form;
  form.Show();
  ::SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(::IsWindowVisible(form.Handle()));
  EXPECT_TRUE(::IsWindow(form.Handle())) << "hidden, not destroyed";
}

TEST_F(FormTest, RewritingTheSameValuesMakesNoNativeCall) {
  PlainForm form;
  form.Show();
  form.SetAlphaBlendValue(150);
  form.SetAlphaBlend(true);
  form.SetCaption(L"x");
  form.Box.SetBounds(1, 2, 30, 10);
  form.Box.SetColor(os::clRed);
  form.Text.SetCaption(L"abc");
  form.Text.SetFontColor(os::clLime);

  ui::ResetNativeCallCount();
  for (int pass = 0; pass < 3; ++pass) {
    form.SetBounds(50, 60, 120, 40);
    form.SetVisible(true);
    form.SetAlphaBlendValue(150);
    form.SetAlphaBlend(true);
    form.SetCaption(L"x");
    form.SetColor(form.Color());
    form.Box.SetBounds(1, 2, 30, 10);
    form.Box.SetColor(os::clRed);
    form.Box.SetVisible(true);
    form.Box.SetAlign(ui::Align::None);
    form.Text.SetCaption(L"abc");
    form.Text.SetFontColor(os::clLime);
    form.Text.SetFontBold(false);
  }
  EXPECT_EQ(ui::NativeCallCount(), 0);

  form.Box.SetColor(os::clBlack);
  EXPECT_GT(ui::NativeCallCount(), 0) << "the counter sees a real change";
}

TEST_F(FormTest, TheFormsPaintEventDrawsOnTheWindow) {
  PlainForm form;
  form.Box.SetVisible(false);
  form.Text.SetVisible(false);
  form.SetColor(os::clWhite);
  int paints = 0;
  form.OnPaint = [&paints](ui::Canvas& canvas) {
    ++paints;
    canvas.FillRect({0, 0, 5, 5}, os::clRed);
  };
  testing_support::RecordingCanvas canvas;
  form.Paint(canvas);
  ASSERT_EQ(canvas.Ops.size(), 1u);
  EXPECT_EQ(canvas.Ops[0].Color, os::clRed);

  // Repaint paints the window before it returns.
  form.Show();
  paints = 0;
  form.Repaint();
  EXPECT_EQ(paints, 1);
}

// --- Canvas on real pixels

TEST_F(FormTest, CanvasLineLeavesOutItsEndPoint) {
  testing_support::Surface s(10, 10, RGB(255, 255, 255));
  ui::Canvas canvas(s.Dc());
  canvas.Line(3, 0, 3, 6, os::clGray);
  EXPECT_EQ(s.CountOf(RECT{3, 0, 4, 6}, RGB(128, 128, 128)), 6);
  EXPECT_EQ(s.At(3, 6), RGB(255, 255, 255));
  EXPECT_EQ(s.CountOtherThan(RECT{0, 0, 10, 10}, RGB(255, 255, 255)), 6);
}

TEST_F(FormTest, CanvasFrameIsOnePixelOnTheOutermostPixels) {
  testing_support::Surface s(8, 6, RGB(255, 255, 255));
  ui::Canvas canvas(s.Dc());
  canvas.FrameRect({0, 0, 8, 6}, os::clGray, 1);
  EXPECT_EQ(s.CountOf(RECT{0, 0, 8, 6}, RGB(128, 128, 128)), 2 * 8 + 2 * 4);
  EXPECT_EQ(s.CountOf(RECT{1, 1, 7, 5}, RGB(255, 255, 255)), 6 * 4);
}

TEST_F(FormTest, CanvasDrawsImagesWithTheirAlphaAndNothingForAMissingIndex) {
  ui::ImageList images(4, 4);
  images.Add(testing_support::SolidPng(4, 4, 0x80FF0000));  // half-transparent red
  testing_support::Surface s(10, 10, RGB(255, 255, 255));
  ui::Canvas canvas(s.Dc());
  canvas.DrawImage(&images, 0, 2, 3);
  const COLORREF blended = s.At(3, 4);
  EXPECT_EQ(GetRValue(blended), 255);
  EXPECT_NEAR(GetGValue(blended), 127, 2);
  EXPECT_NEAR(GetBValue(blended), 127, 2);
  EXPECT_EQ(s.CountOtherThan(RECT{0, 0, 10, 10}, RGB(255, 255, 255)), 16);

  for (int index : {-1, 1, 99}) canvas.DrawImage(&images, index, 5, 5);
  canvas.DrawImage(nullptr, 0, 5, 5);
  EXPECT_EQ(s.CountOtherThan(RECT{0, 0, 10, 10}, RGB(255, 255, 255)), 16);
}

// --- Timers

TEST_F(FormTest, ATimerRunsOnlyWithAPositiveIntervalCutToWhatTheSystemTakes) {
  ui::Timer timer;
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
  struct Case {
    std::int64_t Asked;
    std::int64_t Kept;
    bool Runs;
  } cases[] = {{0, 0, false},
               {-3000, 0, false},
               {200, 200, true},
               {std::int64_t{3'000'000} * 1000, USER_TIMER_MAXIMUM, true}};
  for (const Case& c : cases) {
    timer.SetInterval(c.Asked);
    EXPECT_EQ(timer.Interval(), c.Kept) << c.Asked;
    EXPECT_EQ(timer.Running(), c.Runs) << c.Asked;
  }
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
}

}  // namespace

namespace {

HWND FindTooltip() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        wchar_t name[64] = {};
        ::GetClassNameW(h, name, 64);
        if (std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(FormTest, HintsShowAsTooltipsOfTheControlsUnderThePointer) {
  PlainForm form;
  form.SetBounds(0, 0, 100, 40);
  form.Box.SetBounds(0, 0, 50, 40);
  form.Box.SetHint(L"the box");
  form.Text.SetBounds(50, 0, 50, 40);
  form.Text.SetHint(L"the text");
  form.SetShowHint(true);
  form.Show();
  ::SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  HWND tip = FindTooltip();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

  auto textOf = [&](ui::Control& c) {
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(&c);
    info.hdr.code = TTN_GETDISPINFOW;
    ::SendMessageW(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return std::wstring(info.lpszText != nullptr ? info.lpszText : L"");
  };
  EXPECT_EQ(textOf(form.Box), L"the box");
  EXPECT_EQ(textOf(form.Text), L"the text");

  form.Text.SetVisible(false);
  ::SendMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1) << "no tip for a hidden control";
  EXPECT_EQ(textOf(form.Text), L"");
}

}  // namespace

namespace {

class RecordingMenu : public ui::PopupMenu {
 public:
  void Popup(int x, int y) override { Shown.push_back({x, y}); }
  std::vector<POINT> Shown;
};

TEST_F(FormTest, AContextMenuRequestOpensTheMenuOfTheControlUnderThePointerOrOfTheForm) {
  PlainForm form;  // at 50, 60 without a frame: client = screen - (50, 60)
  form.Box.SetBounds(0, 0, 40, 40);
  form.Text.SetBounds(60, 0, 40, 40);
  RecordingMenu own, formMenu;
  form.Box.SetPopupMenu(&own);
  form.SetPopupMenu(&formMenu);
  form.Show();
  ::SendMessageW(form.Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(50 + 10, 60 + 10));
  ::SendMessageW(form.Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(50 + 70, 60 + 10));
  ASSERT_EQ(own.Shown.size(), 1u);
  EXPECT_EQ(own.Shown[0].x, 60);
  EXPECT_EQ(own.Shown[0].y, 70);
  ASSERT_EQ(formMenu.Shown.size(), 1u) << "a control without a menu passes it on";
  EXPECT_EQ(formMenu.Shown[0].x, 120);
}

}  // namespace
