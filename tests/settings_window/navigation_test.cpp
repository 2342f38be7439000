// The navigation tree and the pages it shows.
#include <gtest/gtest.h>

#include "core/common.h"
#include "pages_fixture.h"
#include "settings_window/action_data.h"
#include "ui/application.h"

namespace {

using settings_window::TDataAction;
using testing_support::PagesFixture;

class Navigation : public PagesFixture {};

TEST_F(Navigation, TenItemsOnTwoLevelsNamedFromTheTextTable) {
  auto& w = CreateMainWindow();
  struct Item {
    const wchar_t* Caption;
    int Level;
  };
  const Item expected[] = {
      {L"Common Settings", 0}, {L"Desktop Indicator", 0}, {L"Desktop Border", 0},
      {L"Mouse Indicator", 0}, {L"Exclude List", 1},      {L"System Tray Indicator", 0},
      {L"Caret Indicator", 0}, {L"Exclude List", 1},      {L"RGB Keyboard Lighting", 0},
      {L"About", 0},
  };
  ASSERT_EQ(w.vstActions.TotalCount(), 10);
  int index = 0;
  for (ui::TreeNode* n = w.vstActions.FirstNode(); n != nullptr; n = w.vstActions.NextNode(n)) {
    const auto& data = n->Data<TDataAction>();
    EXPECT_EQ(data.PageIndex, index);
    EXPECT_EQ(data.PageCaption, expected[index].Caption);
    EXPECT_EQ(n->Level(), expected[index].Level);
    std::wstring text;
    w.vstActions.OnGetText(n, 0, text);
    EXPECT_EQ(text, expected[index].Caption);
    ++index;
  }
  EXPECT_EQ(w.vstActions.Root(3)->Child(0)->Data<TDataAction>().PageIndex, 4);
  EXPECT_EQ(w.vstActions.Root(5)->Child(0)->Data<TDataAction>().PageIndex, 7);
  EXPECT_TRUE(w.vstActions.Root(3)->Expanded());
  EXPECT_TRUE(w.vstActions.Root(5)->Expanded());
}

TEST_F(Navigation, CollapsingIsRefused) {
  auto& w = CreateMainWindow();
  EXPECT_FALSE(w.vstActions.SetExpanded(w.vstActions.Root(3), false));
  EXPECT_TRUE(w.vstActions.Root(3)->Expanded());
  w.vstActions.FullCollapse();
  EXPECT_TRUE(w.vstActions.Root(5)->Expanded());
}

TEST_F(Navigation, OnePageIsShownAtATimeStartingWithTheFirst) {
  auto& w = CreateMainWindow();
  EXPECT_EQ(w.ShownPageIndex(), 0);
  EXPECT_EQ(w.vstActions.Selected(), w.vstActions.FirstNode());
  EXPECT_FALSE(w.PC.Visible);
  const auto panels = w.PagePanels();
  for (ui::Panel* page : panels) EXPECT_EQ(page->Parent(), &w.PanelTabs);
  for (ui::TreeNode* n = w.vstActions.FirstNode(); n != nullptr; n = w.vstActions.NextNode(n)) {
    w.vstActions.SetSelected(n);
    int shown = 0;
    for (ui::Panel* page : panels) shown += page->Visible() ? 1 : 0;
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(w.ShownPageIndex(), n->Data<TDataAction>().PageIndex);
  }
}

TEST_F(Navigation, TheDesktopIndicatorPageRunsOnePassEachTimeItIsPicked) {
  auto& w = CreateMainWindow();
  // Each pick one second later, so the pass's throttle lets every pass through.
  for (int page : {1, 2, 1}) {
    sys->Counter += sys->Frequency;
    const std::int64_t before = core::LastPassStamp;
    w.vstActions.SetSelected(page == 1 ? w.vstActions.Root(1) : w.vstActions.Root(2));
    if (page == 1) {
      EXPECT_EQ(core::LastPassStamp, sys->Counter) << "a full pass ran";
    } else {
      EXPECT_EQ(core::LastPassStamp, before) << "other pages run no pass";
    }
  }
}

TEST_F(Navigation, ItemsAreThirtyPixelsHighAndTheFocusedOneIsBold) {
  sys->Dpi = 144;
  auto& w = CreateMainWindow();
  for (ui::TreeNode* n = w.vstActions.FirstNode(); n != nullptr; n = w.vstActions.NextNode(n)) {
    w.vstActions.RowRect(n);  // lays the row out, asking for its height
    EXPECT_EQ(n->Height(), 45);
  }
  ui::TreeNode* third = w.vstActions.Root(2);
  w.vstActions.SetFocusedNode(third);
  ui::Font font;
  w.vstActions.OnPaintText(third, 0, font);
  EXPECT_TRUE(font.Bold);
  font.Bold = false;
  w.vstActions.OnPaintText(w.vstActions.Root(1), 0, font);
  EXPECT_FALSE(font.Bold);
}

TEST_F(Navigation, ShowMainWindowSelectsTheFirstItemOfThePage) {
  auto& w = ShownMainWindow();
  w.ShowMainWindow(true, 4);
  EXPECT_EQ(w.ShownPageIndex(), 4);
  EXPECT_EQ(w.vstActions.FocusedNode()->Data<TDataAction>().PageIndex, 4);
  EXPECT_NE(::GetWindowLongPtrW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(w.Visible());
  w.ShowMainWindow(false, 7);
  EXPECT_EQ(w.ShownPageIndex(), 7);
  w.ShowMainWindow(false, 42);
  EXPECT_EQ(w.ShownPageIndex(), 7) << "no item carries it: the page stays";
  EXPECT_NE(::GetWindowLongPtrW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0)
      << "nothing takes it out of the topmost band";
  ::SetWindowPos(w.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  w.Hide();
}

TEST_F(Navigation, RebuildingReturnsToTheFirstPage) {
  auto& w = CreateMainWindow();
  w.vstActions.SetSelected(w.vstActions.Root(4));
  ASSERT_EQ(w.ShownPageIndex(), 5);
  w.BuildNavigationTree();
  EXPECT_EQ(w.vstActions.TotalCount(), 10);
  EXPECT_EQ(w.ShownPageIndex(), 0);
}

}  // namespace
