// The eleven indicator and border windows the main window creates, where it puts them, and the
// order it tears them down in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/set_form_top_most.h"
#include "support/fixed_text_measurer.h"
#include "support/main_window_fixture.h"
#include "support/program_state.h"
#include "ui/application.h"
#include "window_tree/win_tree.h"

namespace {

using testing_support::MainWindowFixture;

struct Expected {
  const char* Name;
  ui::Form* Form;
  os::Rect Bounds;  // left, top, right, bottom
};

os::Rect Xywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

class IndicatorWindows : public MainWindowFixture, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    sys->Dpi = GetParam();
    sys->Monitor = {0, 0, 1600, 900};
    sys->WorkArea = {0, 0, 1600, 860};
    sys->Taskbar = {0, 860, 1600, 900};
    sys->Cursor = {400, 300};
  }
  int S(int v) const { return ::MulDiv(v, GetParam(), 96); }
  testing_support::ScopedFixedTextMeasurer measurer;
};

TEST_P(IndicatorWindows, ArePlacedByTheCreationTable) {
  using namespace monitor;
  CreateMainWindow();
  const int t = S(2);
  const Expected expected[] = {
      {"fLangInfo", fLangInfo.get(), Xywh(800, 5, fLangInfo->Width(), S(30))},
      {"fLangInfoMouse", fLangInfoMouse.get(), Xywh(420, 300 - S(40), S(70), S(40))},
      {"fLangInfoCaret", fLangInfoCaret.get(),
       Xywh(20, 20, fLangInfoCaret->L_NUM.Left() + fLangInfoCaret->L_NUM.Width() + S(4), S(18))},
      {"fWorkareaBorderL", fWorkareaBorderL.get(), Xywh(0, 0, t, 860)},
      {"fWorkareaBorderR", fWorkareaBorderR.get(), Xywh(1600 - t, 0, t, 860)},
      {"fWorkareaBorderT", fWorkareaBorderT.get(), Xywh(0, 0, 1600, t)},
      {"fWorkareaBorderB", fWorkareaBorderB.get(), Xywh(0, 860 - t, 1600, t)},
      {"fTaskbarBorderL", fTaskbarBorderL.get(), Xywh(0, 860, t, 40)},
      {"fTaskbarBorderR", fTaskbarBorderR.get(), Xywh(1600 - t, 860, t, 40)},
      {"fTaskbarBorderT", fTaskbarBorderT.get(), Xywh(0, 860, 1600, t)},
      {"fTaskbarBorderB", fTaskbarBorderB.get(), Xywh(0, 900 - t, 1600, t)},
  };
  for (const Expected& e : expected) {
    ASSERT_NE(e.Form, nullptr) << e.Name;
    EXPECT_EQ(e.Form->BoundsRect(), e.Bounds) << e.Name;
    RECT r{};
    ::GetWindowRect(e.Form->Handle(), &r);
    EXPECT_EQ((os::Rect{r.left, r.top, r.right, r.bottom}), e.Bounds) << e.Name << ", window";
  }
  EXPECT_EQ(fLangInfoCaret->L_NUM.Left(), S(75));
  EXPECT_EQ(fLangInfo->L_Lang.Top(), S(2));
  EXPECT_EQ(fLangInfo->L_Lang.Height(), S(30) - 2 * S(2));
  EXPECT_FALSE(fLangInfoMouse->L_Time.Visible());
  EXPECT_FALSE(fLangInfoMouse->Visible());
  EXPECT_TRUE(fLangInfoMouse->AlphaBlend());
  EXPECT_EQ(fLangInfoMouse->AlphaBlendValue(), 255);
  EXPECT_TRUE(fLangInfoCaret->AlphaBlend());
  EXPECT_EQ(fLangInfoCaret->AlphaBlendValue(), 220);
  EXPECT_FALSE(fLangInfoCaret->Visible());
  for (const Expected& e : expected) {
    if (e.Form == fLangInfo.get() || e.Form == fLangInfoMouse.get() ||
        e.Form == fLangInfoCaret.get()) {
      continue;
    }
    EXPECT_EQ(e.Form->Color(), os::clRed) << e.Name;
    EXPECT_FALSE(e.Form->Visible()) << e.Name << ": hidden until the pass shows it";
    EXPECT_FALSE(::IsWindowVisible(e.Form->Handle())) << e.Name;
  }
}

TEST_P(IndicatorWindows, WithoutATaskbarWindowTheTaskbarLinesStartAtTheOrigin) {
  using namespace monitor;
  sys->Taskbar = {};
  CreateMainWindow();
  const int t = S(2);
  const Expected expected[] = {
      {"fTaskbarBorderL", fTaskbarBorderL.get(), Xywh(0, 0, t, 0)},
      {"fTaskbarBorderR", fTaskbarBorderR.get(), Xywh(-t, 0, t, 0)},
      {"fTaskbarBorderT", fTaskbarBorderT.get(), Xywh(0, 0, 0, t)},
      {"fTaskbarBorderB", fTaskbarBorderB.get(), Xywh(0, -t, 0, t)},
  };
  for (const Expected& e : expected) EXPECT_EQ(e.Form->BoundsRect(), e.Bounds) << e.Name;
}

INSTANTIATE_TEST_SUITE_P(Dpi, IndicatorWindows, ::testing::Values(96, 144),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

class IndicatorWindowsAt96 : public MainWindowFixture {
 protected:
  testing_support::ScopedFixedTextMeasurer measurer;
};

std::vector<std::pair<const char*, ui::Owned<indicators::TfDesktopBorder>*>> Borders() {
  using namespace monitor;
  return {{"fWorkareaBorderL", &fWorkareaBorderL}, {"fWorkareaBorderR", &fWorkareaBorderR},
          {"fWorkareaBorderT", &fWorkareaBorderT}, {"fWorkareaBorderB", &fWorkareaBorderB},
          {"fTaskbarBorderL", &fTaskbarBorderL},   {"fTaskbarBorderR", &fTaskbarBorderR},
          {"fTaskbarBorderT", &fTaskbarBorderT},   {"fTaskbarBorderB", &fTaskbarBorderB}};
}

TEST_F(IndicatorWindowsAt96, AllAreUnownedToolWindowsTopmostWhereMadeSo) {
  using namespace monitor;
  CreateMainWindow();
  struct Case {
    const char* Name;
    ui::Form* Form;
    LONG_PTR ExStyle;
  };
  std::vector<Case> cases = {
      {"fLangInfo", fLangInfo.get(), WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED},
      {"fLangInfoMouse", fLangInfoMouse.get(), WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED},
      {"fLangInfoCaret", fLangInfoCaret.get(), WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE},
  };
  // The lines: opaque layered windows that a press passes through and that never activate.
  for (auto& [name, border] : Borders()) {
    cases.push_back({name, border->get(),
                     WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT |
                         WS_EX_NOACTIVATE});
  }
  for (const Case& c : cases) {
    HWND h = c.Form->Handle();
    EXPECT_EQ(::GetWindowLongPtrW(h, GWL_EXSTYLE), c.ExStyle) << c.Name;
    EXPECT_EQ(::GetWindow(h, GW_OWNER), nullptr) << c.Name;
    EXPECT_NE(::GetForegroundWindow(), h) << c.Name;
  }
}

// SetFormTopMost in the table's order leaves the last one made topmost on top.
TEST_F(IndicatorWindowsAt96, TopmostInTheOrderOfTheTable) {
  using namespace monitor;
  CreateMainWindow();
  std::vector<HWND> expected;  // top first
  const auto borders = Borders();
  for (auto it = borders.rbegin(); it != borders.rend(); ++it) {
    expected.push_back((*it->second)->Handle());
  }
  expected.push_back(fLangInfoMouse->Handle());
  expected.push_back(fLangInfo->Handle());
  // The suites run side by side on one desktop: a window of another one that comes or goes
  // while the chain is walked can re-link it, so that the walk meets a window twice. Such a walk
  // says nothing about the order and is made again.
  std::vector<HWND> found;
  for (int walk = 0; walk < 5; ++walk) {
    found.clear();
    bool twice = false;
    for (HWND h = ::GetTopWindow(nullptr); h != nullptr && !twice; h = ::GetWindow(h, GW_HWNDNEXT)) {
      if (std::find(expected.begin(), expected.end(), h) == expected.end()) continue;
      twice = std::find(found.begin(), found.end(), h) != found.end();
      if (!twice) found.push_back(h);
    }
    if (!twice) break;
  }
  EXPECT_EQ(found, expected);
}

TEST_F(IndicatorWindowsAt96, SetFormTopMostNeitherMovesNorShows) {
  ui::Owned<ui::Form> form(new ui::Form());
  form->SetBorderStyle(ui::BorderStyle::None);
  form->SetBounds(10, 20, 30, 40);
  monitor::SetFormTopMost(*form, true);
  HWND h = form->Handle();
  EXPECT_NE(::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(::IsWindowVisible(h));
  RECT r{};
  ::GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.bottom, 60);
  monitor::SetFormTopMost(*form, false);
  EXPECT_EQ(::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(IndicatorWindowsAt96, AreFreedInTheTeardownOrder) {
  using namespace monitor;
  CreateMainWindow();
  window_tree::fWinTree.reset(new window_tree::TfWinTree());
  std::vector<std::wstring> order;
  auto record = [&order](ui::Form& f, const wchar_t* name) {
    f.OnDestroy = [&order, name] { order.push_back(name); };
  };
  record(*fLangInfo, L"fLangInfo");
  record(*fLangInfoMouse, L"fLangInfoMouse");
  record(*fLangInfoCaret, L"fLangInfoCaret");
  record(*window_tree::fWinTree, L"fWinTree");
  const wchar_t* names[] = {L"fWorkareaBorderL", L"fWorkareaBorderR", L"fWorkareaBorderT",
                            L"fWorkareaBorderB", L"fTaskbarBorderL",  L"fTaskbarBorderR",
                            L"fTaskbarBorderT",  L"fTaskbarBorderB"};
  const auto borders = Borders();
  for (size_t i = 0; i < borders.size(); ++i) record(**borders[i].second, names[i]);

  ui::App().DestroyComponents();
  const std::vector<std::wstring> expected = {
      L"fLangInfo",        L"fLangInfoMouse",   L"fLangInfoCaret",   L"fWinTree",
      L"fWorkareaBorderL", L"fWorkareaBorderR", L"fWorkareaBorderT", L"fWorkareaBorderB",
      L"fTaskbarBorderL",  L"fTaskbarBorderR",  L"fTaskbarBorderT",  L"fTaskbarBorderB"};
  EXPECT_EQ(order, expected);
  EXPECT_FALSE(fLangInfoMouse);
  EXPECT_FALSE(fTaskbarBorderB);
}

}  // namespace

namespace {

TEST_F(IndicatorWindowsAt96, TheSettingsButtonBringsTheSettingsWindowToTheFront) {
  auto& w = CreateMainWindow();
  w.HideToTray();
  ASSERT_FALSE(w.Visible());
  monitor::fLangInfo->btnSettings.Click();
  EXPECT_TRUE(w.Visible());
  EXPECT_TRUE(::IsWindowVisible(w.Handle()));
  EXPECT_EQ(::GetWindowLongPtrW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not topmost";
}

}  // namespace

namespace {

TEST_F(IndicatorWindowsAt96, TheMainWindowAndTheWindowTreeCarryTheirClassNames) {
  auto& w = CreateMainWindow();
  window_tree::fWinTree.reset(new window_tree::TfWinTree());
  for (auto [form, expected] : {std::pair<ui::Form*, const wchar_t*>{&w, L"TfMain"},
                                {window_tree::fWinTree.get(), L"TfWinTree"}}) {
    wchar_t name[64] = {};
    ::GetClassNameW(form->Handle(), name, 64);
    EXPECT_STREQ(name, expected);
  }
}

}  // namespace
