// The border lines along the work area and around the taskbar: placed, coloured and shown on
// every pass, and raised to the top of the topmost band while their group is on.
#include <gtest/gtest.h>

#include <vector>

#include "monitor/globals.h"
#include "pass_fixture.h"

namespace {

using namespace monitor;
using testing_support::kLayoutDE;

os::Rect Xywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

class BorderStep : public testing_support::PassFixture {
 protected:
  std::vector<indicators::TfDesktopBorder*> Taskbar() {
    return {fTaskbarBorderL.get(), fTaskbarBorderR.get(), fTaskbarBorderT.get(),
            fTaskbarBorderB.get()};
  }
  std::vector<indicators::TfDesktopBorder*> WorkArea() {
    return {fWorkareaBorderL.get(), fWorkareaBorderR.get(), fWorkareaBorderT.get(),
            fWorkareaBorderB.get()};
  }
};

struct TaskbarCase {
  const char* Name;
  os::Rect Taskbar;
  os::Rect WorkArea;
};

class BorderPlacement : public BorderStep, public ::testing::WithParamInterface<TaskbarCase> {};

TEST_P(BorderPlacement, FramesTheWorkAreaAndTheTaskbar) {
  sys->Dpi = 144;
  sys->Taskbar = GetParam().Taskbar;
  sys->WorkArea = GetParam().WorkArea;
  Start();
  S().IsShowWorkareaBorder = true;
  S().IsShowTaskbarBorder = true;
  S().DesktopBorderWidth = 2;  // 3 pixels at 144 DPI
  Pass();
  const os::Rect& wa = GetParam().WorkArea;
  const int t = 3;
  const os::Rect work[] = {Xywh(wa.Left, wa.Top, t, wa.Height()),
                           Xywh(wa.Right - t, wa.Top, t, wa.Height()),
                           Xywh(wa.Left, wa.Top, wa.Width(), t),
                           Xywh(wa.Left, wa.Bottom - t, wa.Width(), t)};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(WorkArea()[i]->BoundsRect(), work[i]) << i;
    EXPECT_TRUE(WorkArea()[i]->Visible()) << i;
  }
  const os::Rect& tb = GetParam().Taskbar;
  if (tb == os::Rect{}) {
    for (auto* b : Taskbar()) EXPECT_FALSE(b->Visible());
    return;
  }
  const os::Rect bar[] = {Xywh(tb.Left, tb.Top, t, tb.Height()),
                          Xywh(tb.Right - t, tb.Top, t, tb.Height()),
                          Xywh(tb.Left, tb.Top, tb.Width(), t),
                          Xywh(tb.Left, tb.Bottom - t, tb.Width(), t)};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Taskbar()[i]->BoundsRect(), bar[i]) << i;
    EXPECT_TRUE(Taskbar()[i]->Visible()) << i;
    RECT r{};
    ::GetWindowRect(Taskbar()[i]->Handle(), &r);
    EXPECT_EQ((os::Rect{r.left, r.top, r.right, r.bottom}), bar[i]) << i << ", window";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Taskbars, BorderPlacement,
    ::testing::Values(TaskbarCase{"bottom", {0, 860, 1600, 900}, {0, 0, 1600, 860}},
                      TaskbarCase{"left", {0, 0, 62, 900}, {62, 0, 1600, 900}},
                      TaskbarCase{"missing", {}, {0, 0, 1600, 900}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(BorderStep, ColourOfTheLanguageElseLime) {
  Start();
  S().IsShowWorkareaBorder = true;
  S().SL_Lang_DesktopBorder_Color = {L"US=FF0000", L"FR=zz"};
  Pass();
  for (auto* b : WorkArea()) EXPECT_EQ(b->Color(), 0x0000FF);
  for (auto* b : Taskbar()) EXPECT_EQ(b->Color(), 0x0000FF) << "placed and coloured while off";
  sys->SwitchLayout(notepad, kLayoutDE);
  Pass();
  for (auto* b : WorkArea()) EXPECT_EQ(b->Color(), os::clLime) << "no US fallback";
}

TEST_F(BorderStep, EdgeSwitchesAndTheEnableSwitch) {
  Start();
  S().IsShowWorkareaBorder = true;
  S().ShowWorkareaBorder_T = false;
  S().IsShowTaskbarBorder = false;
  Pass();
  EXPECT_TRUE(fWorkareaBorderL->Visible());
  EXPECT_FALSE(fWorkareaBorderT->Visible());
  EXPECT_EQ(fWorkareaBorderT->BoundsRect(), Xywh(0, 0, 1600, 2)) << "still placed";
  for (auto* b : Taskbar()) EXPECT_FALSE(b->Visible());
  core::IsEnabled_AllIndicator = false;
  Pass();
  for (auto* b : WorkArea()) EXPECT_FALSE(b->Visible());
}

TEST_F(BorderStep, TheTopmostRefreshRaisesTheLinesOfASwitchedOnGroupWithoutShowingThem) {
  Start();
  S().IsShowWorkareaBorder = true;
  Pass();
  core::IsEnabled_AllIndicator = false;
  Pass();
  // Another program's topmost window opened over the line meanwhile.
  HWND other = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0,
                                 50, 50, nullptr, nullptr, nullptr, nullptr);
  ::SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pass();
  auto above = [&](HWND line) {
    for (HWND h = ::GetWindow(line, GW_HWNDPREV); h != nullptr; h = ::GetWindow(h, GW_HWNDPREV)) {
      if (h == other) return false;
    }
    return true;
  };
  EXPECT_TRUE(above(fWorkareaBorderB->Handle()));
  EXPECT_FALSE(::IsWindowVisible(fWorkareaBorderB->Handle()));
  EXPECT_FALSE(above(fTaskbarBorderB->Handle())) << "its group is off";
  ::DestroyWindow(other);
}

}  // namespace
