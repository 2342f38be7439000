// The inspector's columns: 1215 pixels of them at 96 DPI, all in reach however narrow the
// window is or however wide the user drags a column.
#include <string>

#include "support/tree_header.h"
#include "win_tree_fixture.h"

namespace win_tree_test {
namespace {

class WinTreeColumns : public WinTreeTest {
 protected:
  // The tree's window made (the form's with it), not shown: nothing here needs the foreground.
  HWND TreeWindow(window_tree::TfWinTree& w) { return w.vstWinTree.Handle(); }
  RECT Client(window_tree::TfWinTree& w) {
    RECT r{};
    ::GetClientRect(TreeWindow(w), &r);
    return r;
  }
  bool Scrolls(window_tree::TfWinTree& w) {
    return (::GetWindowLongPtrW(TreeWindow(w), GWL_STYLE) & WS_HSCROLL) != 0;
  }
  RECT HeaderItem(window_tree::TfWinTree& w, int column) {
    return testing_support::HeaderItemRect(w.vstWinTree, column);
  }
  // The column under the right edge of the first row.
  int ColumnAtTheRightEdge(window_tree::TfWinTree& w) {
    return w.vstWinTree.HitTest(Client(w).right - 1, 24 + 17 / 2).Column;
  }
};

TEST_F(WinTreeColumns, AtItsOwnSizeEveryColumnFitsWithoutScrolling) {
  auto& w = Create();
  ASSERT_NE(TreeWindow(w), nullptr);
  EXPECT_EQ(Client(w).right, 1234);
  EXPECT_FALSE(Scrolls(w));
  EXPECT_EQ(HeaderItem(w, window_tree::kColFullPath).right, 1215);
}

TEST_F(WinTreeColumns, NarrowedTheFullPathColumnIsScrolledIntoReach) {
  auto& w = Create();
  w.SetClientSize(800, 500);
  ASSERT_EQ(Client(w).right, 800);
  EXPECT_TRUE(Scrolls(w));
  EXPECT_EQ(ColumnAtTheRightEdge(w), window_tree::kColLang) << "it stands from 690 to 815";
  EXPECT_GT(HeaderItem(w, window_tree::kColFullPath).left, 800);

  ::SendMessageW(TreeWindow(w), WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(ColumnAtTheRightEdge(w), window_tree::kColFullPath);
  const RECT fullPath = HeaderItem(w, window_tree::kColFullPath);
  EXPECT_EQ(fullPath.left, 800 - 250);
  EXPECT_EQ(fullPath.right, 800);

  w.SetClientSize(1234, 711);
  EXPECT_FALSE(Scrolls(w)) << "wide again: nothing to scroll";
  EXPECT_EQ(HeaderItem(w, window_tree::kColClass).left, 0);
}

TEST_F(WinTreeColumns, AColumnWidenedOnTheHeaderPushesTheLastOnesOutButNotOutOfReach) {
  auto& w = Create();
  ASSERT_NE(TreeWindow(w), nullptr);
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = 500;  // the title column, from 200
  ::SendMessageW(w.vstWinTree.HeaderHandle(), HDM_SETITEMW, window_tree::kColTitle,
                 reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(Scrolls(w));
  EXPECT_EQ(HeaderItem(w, window_tree::kColFullPath).right, 1515);
  ::SendMessageW(TreeWindow(w), WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(ColumnAtTheRightEdge(w), window_tree::kColFullPath);
  EXPECT_EQ(HeaderItem(w, window_tree::kColFullPath).right, 1234);
}

}  // namespace
}  // namespace win_tree_test
