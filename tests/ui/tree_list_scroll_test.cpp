// Columns wider together than the tree: the horizontal scroll bar, the header and the cells
// moving together, the wheel with Shift, and the range following the window and the columns.
#include <gtest/gtest.h>

#include <map>

#include "support/tree_header.h"
#include "support/ui_pixels.h"
#include "tree_list_fixture.h"

namespace {

using tree_test::Entry;
using tree_test::TreeListTest;

class TreeScrollTest : public TreeListTest {
 protected:
  void SetUp() override {
    TreeListTest::SetUp();
    // 240 + 400 + 80 = 720 pixels of columns in a tree 400 wide: the last column starts 240
    // pixels past the right edge.
    tree.SetHeaderHeight(30);
    tree.AddColumn(L"Name", 240);
    tree.AddColumn(L"Path", 400);
    tree.AddColumn(L"Size", 80, ui::ColumnAlign::Right);
    a = Add(L"a");
    Add(L"b");
  }

  SCROLLINFO Bar() {
    SCROLLINFO si{sizeof(si), SIF_ALL};
    ::GetScrollInfo(Window(), SB_HORZ, &si);
    return si;
  }
  bool BarShown() { return (::GetWindowLongPtrW(Window(), GWL_STYLE) & WS_HSCROLL) != 0; }
  RECT Client() {
    RECT r{};
    ::GetClientRect(Window(), &r);
    return r;
  }
  void HScroll(WORD code) { ::SendMessageW(Window(), WM_HSCROLL, code, 0); }
  void Wheel(int delta, WORD keys = 0) {
    const WPARAM wp =
        (static_cast<WPARAM>(static_cast<WORD>(static_cast<short>(delta))) << 16) | keys;
    ::SendMessageW(Window(), WM_MOUSEWHEEL, wp, MAKELPARAM(10, 40));
  }
  RECT HeaderItem(int column) { return testing_support::HeaderItemRect(tree, column); }
  void DragColumnWidth(int column, int width) {  // as the user's drag on the header ends
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    ::SendMessageW(tree.HeaderHandle(), HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
  }

  ui::TreeNode* a = nullptr;
};

TEST_F(TreeScrollTest, ScrolledToTheEndTheLastColumnIsReachableOnTheHeaderAndInTheRows) {
  Show();
  ASSERT_TRUE(BarShown());
  EXPECT_EQ(Client().right, 400);
  EXPECT_EQ(Bar().nMax - Bar().nMin + 1, 720) << "the range: all the columns";
  EXPECT_EQ(Bar().nPage, 400u) << "the page: the client width";
  EXPECT_EQ(tree.HitTest(399, 40).Column, 1) << "before scrolling the size column is out of sight";

  HScroll(SB_RIGHT);
  EXPECT_EQ(tree.LeftOffset(), 720 - 400);
  EXPECT_EQ(Bar().nPos, 320);
  struct Case {
    int X, Column;
  };
  for (const Case& c : {Case{0, 1}, Case{319, 1}, Case{320, 2}, Case{399, 2}}) {
    EXPECT_EQ(tree.HitTest(c.X, 40).Column, c.Column) << "row, x " << c.X;
    EXPECT_EQ(tree.HitTest(c.X, 10).Column, c.Column) << "header, x " << c.X;
    EXPECT_EQ(tree.HitTest(c.X, 40).Node, a) << c.X;
  }
  const RECT size = HeaderItem(2);
  EXPECT_EQ(size.left, 320) << "the header moved with the cells";
  EXPECT_EQ(size.right, 400);
  EXPECT_EQ(HeaderItem(1).left, 240 - 320);
  EXPECT_EQ(tree.CellRect(a, 2), (os::Rect{320, 30, 400, 50}));
  EXPECT_EQ(tree.CellRect(a, 1), (os::Rect{-80, 30, 320, 50}));

  // The cells are painted where they now stand; the name column is out of sight altogether.
  std::map<int, os::Rect> painted;
  tree.OnAfterCellPaint = [&](ui::Canvas&, ui::TreeNode* node, int column, const os::Rect& cell) {
    if (node == a) painted[column] = cell;
  };
  testing_support::Surface surface(400, 300);
  ::SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
  const std::map<int, os::Rect> expected{{1, {-80, 30, 320, 50}}, {2, {320, 30, 400, 50}}};
  EXPECT_EQ(painted, expected);

  HScroll(SB_LEFT);
  EXPECT_EQ(tree.LeftOffset(), 0);
  EXPECT_EQ(HeaderItem(0).left, 0);
  EXPECT_EQ(tree.HitTest(0, 40).Column, 0);
}

TEST_F(TreeScrollTest, TheRangeShrinksWhenAColumnNarrowsOrTheTreeWidens) {
  Show();
  HScroll(SB_RIGHT);
  ASSERT_EQ(tree.LeftOffset(), 320);
  // The user narrows the path column on the header: 520 pixels, 120 of them past the edge.
  DragColumnWidth(1, 200);
  EXPECT_EQ(tree.LeftOffset(), 120);
  EXPECT_EQ(Bar().nMax - Bar().nMin + 1, 520);
  EXPECT_EQ(HeaderItem(2).right, 400) << "still ending at the right edge";
  EXPECT_EQ(tree.HitTest(399, 40).Column, 2);
  // Code widens the size column: 600 pixels.
  tree.SetColumnWidth(2, 160);
  EXPECT_EQ(Bar().nMax - Bar().nMin + 1, 600);
  HScroll(SB_RIGHT);
  EXPECT_EQ(tree.LeftOffset(), 200);

  // The window widens to 620: everything fits, and the bar goes.
  form.SetBounds(0, 0, 620, 300);
  Pump();
  EXPECT_EQ(tree.LeftOffset(), 0);
  EXPECT_FALSE(BarShown());
  EXPECT_EQ(Client().bottom, 300) << "the rows have the bar's room again";
  EXPECT_EQ(HeaderItem(0).left, 0);
  EXPECT_EQ(tree.HitTest(599, 40).Column, 2);
  // Narrowed again, it scrolls once more.
  form.SetBounds(0, 0, 500, 300);
  Pump();
  EXPECT_TRUE(BarShown());
  HScroll(SB_RIGHT);
  EXPECT_EQ(tree.LeftOffset(), 100);
}

TEST_F(TreeScrollTest, TheHeaderStaysPutUnderADividerDragAndTheRangeFollowsWhenItEnds) {
  Show();
  HScroll(SB_RIGHT);
  ASSERT_EQ(tree.LeftOffset(), 320);
  // The user drags the path column's right divider 20 pixels to the left, 2 at a time. The
  // header measures the pointer from where it stands: were it moved to keep the last column at
  // the right edge, each step would shrink the column by far more than the pointer moved.
  HWND header = tree.HeaderHandle();
  const auto headerLeft = [&] {
    RECT r{};
    ::GetWindowRect(header, &r);
    ::MapWindowPoints(HWND_DESKTOP, Window(), reinterpret_cast<POINT*>(&r), 2);
    return r.left;
  };
  ASSERT_EQ(headerLeft(), -320);
  int x = 640;  // in the header's own coordinates
  ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
  for (int step = 0; step < 10; ++step) {
    x -= 2;
    ::SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 10));
    EXPECT_EQ(headerLeft(), -320) << "step " << step;
  }
  ::SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
  EXPECT_EQ(tree.ColumnWidth(1), 380);
  // The drag is over: 700 pixels of columns, scrolled so far that the last one ends at the edge.
  EXPECT_EQ(tree.LeftOffset(), 300);
  EXPECT_EQ(headerLeft(), -300);
  EXPECT_EQ(HeaderItem(2).right, 400);
  EXPECT_EQ(Bar().nMax - Bar().nMin + 1, 700);
  EXPECT_EQ(Bar().nPos, 300);
}

TEST_F(TreeScrollTest, TheTiltWheelScrollsSidewaysInItsOwnDirection) {
  Show();
  const auto tilt = [&](int delta) {
    const WPARAM wp = static_cast<WPARAM>(static_cast<WORD>(static_cast<short>(delta))) << 16;
    ::SendMessageW(Window(), WM_MOUSEHWHEEL, wp, MAKELPARAM(10, 40));
  };
  tilt(WHEEL_DELTA);
  const int notch = tree.LeftOffset();
  EXPECT_GT(notch, 0) << "tilted to the right, the columns move to the left";
  tilt(WHEEL_DELTA);
  EXPECT_EQ(tree.LeftOffset(), 2 * notch);
  tilt(-WHEEL_DELTA);
  EXPECT_EQ(tree.LeftOffset(), notch);
  tilt(-10 * WHEEL_DELTA);
  EXPECT_EQ(tree.LeftOffset(), 0);
  EXPECT_EQ(tree.TopOffset(), 0);
}

TEST_F(TreeScrollTest, ColumnsThatFitTheTreeDoNotScroll) {
  tree.SetColumnWidth(1, 80);  // exactly 400
  Show();
  EXPECT_FALSE(BarShown());
  EXPECT_EQ(Client().bottom, 300);
  HScroll(SB_RIGHT);
  HScroll(SB_PAGERIGHT);
  Wheel(-5 * WHEEL_DELTA, MK_SHIFT);
  tree.SetLeftOffset(50);
  EXPECT_EQ(tree.LeftOffset(), 0);
  EXPECT_EQ(HeaderItem(2).right, 400);
  EXPECT_EQ(tree.HitTest(399, 40).Column, 2);

  // Rows enough for the vertical bar, added in one go: its width no longer leaves room for the
  // columns, and the horizontal bar then takes its height off the rows' page.
  tree.BeginUpdate();
  for (int i = 0; i < 40; ++i) Add(L"row" + std::to_wstring(i));
  tree.EndUpdate();
  const int width = Client().right;
  ASSERT_LT(width, 400);
  EXPECT_TRUE(BarShown());
  EXPECT_EQ(Client().bottom, 300 - ::GetSystemMetrics(SM_CYHSCROLL));
  SCROLLINFO rows{sizeof(rows), SIF_ALL};
  ::GetScrollInfo(Window(), SB_VERT, &rows);
  EXPECT_EQ(static_cast<int>(rows.nPage), Client().bottom - 30);
  HScroll(SB_RIGHT);
  EXPECT_EQ(tree.LeftOffset(), 400 - width);
  EXPECT_EQ(HeaderItem(2).right, width);
}

TEST_F(TreeScrollTest, TheWheelWithShiftAndTheBarsArrowsScrollSideways) {
  for (int i = 0; i < 40; ++i) Add(L"row" + std::to_wstring(i));  // the rows scroll too
  tree.SetColumnWidth(1, 900);  // 1220 pixels: more than three client widths
  Show();
  const int width = Client().right;
  ASSERT_LT(width, 400) << "the vertical bar takes its width off the client";
  const int end = 1220 - width;
  SCROLLINFO rows{sizeof(rows), SIF_ALL};
  ::GetScrollInfo(Window(), SB_VERT, &rows);
  EXPECT_EQ(static_cast<int>(rows.nPage), Client().bottom - 30)
      << "the rows' page leaves out the horizontal bar that came after the vertical one";

  Wheel(-WHEEL_DELTA, MK_SHIFT);
  const int notch = tree.LeftOffset();
  EXPECT_GT(notch, 0) << "a notch down with Shift moves the columns to the left";
  EXPECT_EQ(tree.TopOffset(), 0) << "and not the rows";
  Wheel(WHEEL_DELTA, MK_SHIFT);
  EXPECT_EQ(tree.LeftOffset(), 0);
  Wheel(-100 * WHEEL_DELTA, MK_SHIFT);
  EXPECT_EQ(tree.LeftOffset(), end) << "not past the last column";
  EXPECT_EQ(tree.HitTest(Client().right - 1, 40).Column, 2);

  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(tree.TopOffset(), 60) << "without Shift the wheel scrolls rows";
  EXPECT_EQ(tree.LeftOffset(), end);

  HScroll(SB_LINELEFT);
  const int line = end - tree.LeftOffset();
  EXPECT_GT(line, 0);
  EXPECT_LT(line, notch) << "an arrow scrolls less than a notch";
  HScroll(SB_LINERIGHT);
  EXPECT_EQ(tree.LeftOffset(), end);
  HScroll(SB_PAGELEFT);
  EXPECT_EQ(tree.LeftOffset(), end - width) << "a page is the client width";
  HScroll(SB_PAGELEFT);
  HScroll(SB_PAGELEFT);
  EXPECT_EQ(tree.LeftOffset(), 0);
  HScroll(SB_PAGERIGHT);
  EXPECT_EQ(tree.LeftOffset(), width);
  EXPECT_EQ(Bar().nPos, tree.LeftOffset());
  EXPECT_EQ(HeaderItem(0).left, -tree.LeftOffset());
}

TEST_F(TreeScrollTest, EditingACellOutOfSightScrollsItInAndScrollingEndsTheEdit) {
  tree.SetEditable(true);
  std::vector<std::wstring> commits;
  tree.OnNewText = [&](ui::TreeNode*, int, const std::wstring& text) { commits.push_back(text); };
  Show();
  ASSERT_TRUE(tree.EditNode(a, 2));
  EXPECT_EQ(tree.LeftOffset(), 320) << "the size column came into sight";
  RECT edit{};
  ::GetWindowRect(tree.EditorHandle(), &edit);
  ::MapWindowPoints(HWND_DESKTOP, Window(), reinterpret_cast<POINT*>(&edit), 2);
  EXPECT_GE(edit.left, 320);
  EXPECT_LE(edit.right, 400);
  EXPECT_EQ(edit.top, 30);

  ::SendMessageW(tree.EditorHandle(), WM_CHAR, L'7', 1);
  HScroll(SB_LEFT);
  EXPECT_FALSE(tree.IsEditing()) << "an edit does not float over another column";
  EXPECT_EQ(commits, (std::vector<std::wstring>{L"7"}));

  // A wider window shifts the columns to the right: the edit does not stay behind.
  ASSERT_TRUE(tree.EditNode(a, 2));
  ASSERT_EQ(tree.LeftOffset(), 320);
  ::SendMessageW(tree.EditorHandle(), WM_CHAR, L'8', 1);
  form.SetBounds(0, 0, 600, 300);
  Pump();
  ASSERT_EQ(tree.LeftOffset(), 120);
  EXPECT_FALSE(tree.IsEditing());
  EXPECT_EQ(commits, (std::vector<std::wstring>{L"7", L"8"}));
  form.SetBounds(0, 0, 400, 300);
  Pump();

  // A column wider than the tree shows its left part.
  tree.SetColumnWidth(1, 600);
  HScroll(SB_RIGHT);
  ASSERT_TRUE(tree.EditNode(a, 1));
  EXPECT_EQ(tree.LeftOffset(), 240);
  EXPECT_EQ(HeaderItem(1).left, 0);
}

}  // namespace
