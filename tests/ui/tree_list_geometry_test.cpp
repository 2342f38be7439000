// Where the tree list's parts are: hit tests by column with the header reordered, rows of their
// own heights, the cell rectangles handed to the owner's painting, the wheel, the cursor.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "support/tree_header.h"
#include "support/ui_pixels.h"
#include "tree_list_fixture.h"
#include "ui/image_list.h"

namespace {

using tree_test::Entry;
using tree_test::TreeListTest;

class TreeGeometryTest : public TreeListTest {
 protected:
  void SetUp() override {
    TreeListTest::SetUp();
    // Three columns of the language lists' kind: a wide text column and two narrow ones.
    tree.SetHeaderHeight(30);
    tree.AddColumn(L"Name", 240);
    tree.AddColumn(L"ISO 639", 80, ui::ColumnAlign::Center);
    tree.AddColumn(L"Color", 80, ui::ColumnAlign::Center);
  }
  void Wheel(int delta) {
    const WPARAM wp = static_cast<WPARAM>(static_cast<WORD>(static_cast<short>(delta))) << 16;
    ::SendMessageW(Window(), WM_MOUSEWHEEL, wp, MAKELPARAM(10, 40));
  }
  RECT HeaderItem(int column) { return testing_support::HeaderItemRect(tree, column); }
};

TEST_F(TreeGeometryTest, HitTestsFindTheColumnUnderThePointAfterTheUserMovedIt) {
  for (int i = 0; i < 3; ++i) tree.SetNodeHeight(Add(L"row" + std::to_wstring(i)), 30);
  Show();
  // The user drags the colour column to the front: the header holds the new order.
  int order[] = {2, 0, 1};
  ASSERT_TRUE(
      ::SendMessageW(tree.HeaderHandle(), HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order)));
  EXPECT_EQ(tree.ColumnOrder(), (std::vector<int>{2, 0, 1}));

  struct Case {
    int X, Y;
    const wchar_t* Row;
    int Column;
  };
  const Case cases[] = {
      {0, 30, L"row0", 2},    {79, 59, L"row0", 2},  {80, 60, L"row1", 0},
      {319, 89, L"row1", 0},  {320, 90, L"row2", 1}, {399, 119, L"row2", 1},
      {200, 120, nullptr, 0}, {10, 10, nullptr, 2},  // below the rows; on the header
  };
  for (const Case& c : cases) {
    const ui::TreeHit hit = tree.HitTest(c.X, c.Y);
    EXPECT_EQ(hit.Column, c.Column) << c.X << "," << c.Y;
    EXPECT_EQ(hit.Node == nullptr ? std::wstring(L"(none)") : hit.Node->Data<Entry>().Text,
              c.Row != nullptr ? std::wstring(c.Row) : std::wstring(L"(none)"))
        << c.X << "," << c.Y;
  }
  for (int column = 0; column < 3; ++column) {
    const os::Rect cell = tree.CellRect(tree.Root(1), column);
    EXPECT_EQ(cell.Left, HeaderItem(column).left)
        << "cell under its header item, column " << column;
    EXPECT_EQ(cell.Right, HeaderItem(column).right) << column;
  }
  // The user widens the first column on the header.
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = 100;
  ::SendMessageW(tree.HeaderHandle(), HDM_SETITEMW, 2, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(tree.ColumnWidth(2), 100);
  EXPECT_EQ(tree.HitTest(90, 40).Column, 2);
  EXPECT_EQ(tree.HitTest(100, 40).Column, 0);
}

TEST_F(TreeGeometryTest, RowsHaveTheirOwnHeightsAndHitTestsFollowThem) {
  std::map<std::wstring, int> measured;
  tree.OnMeasureItem = [&](ui::TreeNode* n, int& height) {
    ++measured[n->Data<Entry>().Text];
    if (n->Data<Entry>().Text == L"measured") height = 25;
  };
  ui::TreeNode* tall = Add(L"tall");
  tree.SetNodeHeight(tall, 50);
  ui::TreeNode* plain = Add(L"plain");  // the default height, 20
  ui::TreeNode* m = Add(L"measured");
  tree.SetNodeHeight(m, 70);  // given when added; the measure event has the last word
  ui::TreeNode* small = Add(L"small");
  tree.SetNodeHeight(small, 5);
  Show();

  struct Case {
    ui::TreeNode* Node;
    int Top, Bottom;
  };
  const Case rows[] = {{tall, 30, 80}, {plain, 80, 100}, {m, 100, 125}, {small, 125, 130}};
  for (const Case& r : rows) {
    const os::Rect rect = tree.RowRect(r.Node);
    EXPECT_EQ(rect.Top, r.Top) << r.Node->Data<Entry>().Text;
    EXPECT_EQ(rect.Bottom, r.Bottom) << r.Node->Data<Entry>().Text;
    EXPECT_EQ(tree.NodeAt(5, r.Top), r.Node);
    EXPECT_EQ(tree.NodeAt(5, r.Bottom - 1), r.Node);
  }
  EXPECT_EQ(tree.NodeAt(5, 130), nullptr);
  tree.SetNodeHeight(plain, 40);
  EXPECT_EQ(tree.NodeAt(5, 119), plain) << "a new height moves the rows below";
  EXPECT_EQ(tree.NodeAt(5, 120), m);
  for (const auto& [text, count] : measured) EXPECT_EQ(count, 1) << text << " is measured once";
  EXPECT_EQ(measured.size(), 4u);
}

TEST_F(TreeGeometryTest, TheOwnersCellPaintingGetsEachCellsRectangle) {
  ui::TreeNode* a = Add(L"a");
  ui::TreeNode* b = Add(L"b");
  tree.SetNodeHeight(a, 30);
  tree.SetNodeHeight(b, 40);
  Show();
  int order[] = {0, 2, 1};
  ::SendMessageW(tree.HeaderHandle(), HDM_SETORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
  std::map<std::pair<std::wstring, int>, os::Rect> cells;
  tree.OnAfterCellPaint = [&](ui::Canvas& canvas, ui::TreeNode* node, int column,
                              const os::Rect& cell) {
    cells[{node->Data<Entry>().Text, column}] = cell;
    if (column == 2) {  // a 24 x 20 swatch in the middle of the cell, as the colour lists paint
      const int w = cell.Width(), h = cell.Height();
      canvas.FillRect({cell.Left + w / 2 - 12, cell.Top + h / 2 - 10, cell.Right - w / 2 + 12,
                       cell.Bottom - h / 2 + 10},
                      os::clRed);
    }
  };
  testing_support::Surface surface(400, 300);
  ::SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);

  const std::map<std::pair<std::wstring, int>, os::Rect> expected{
      {{L"a", 0}, {0, 30, 240, 60}},    {{L"a", 2}, {240, 30, 320, 60}},
      {{L"a", 1}, {320, 30, 400, 60}},  {{L"b", 0}, {0, 60, 240, 100}},
      {{L"b", 2}, {240, 60, 320, 100}}, {{L"b", 1}, {320, 60, 400, 100}},
  };
  EXPECT_EQ(cells, expected);
  // The swatch of row b: 24 x 20 in the middle of (240, 60)-(320, 100).
  EXPECT_EQ(surface.CountOf(RECT{268, 70, 292, 90}, RGB(255, 0, 0)), 24 * 20);
  EXPECT_EQ(surface.CountOf(RECT{240, 60, 320, 100}, RGB(255, 0, 0)), 24 * 20) << "only there";
}

TEST_F(TreeGeometryTest, TheWheelScrollsThreeRowsANotchAndHitTestsFollow) {
  tree.SetColumnWidth(0, 200);  // room for the vertical bar: no horizontal one
  for (int i = 0; i < 40; ++i) Add(L"row" + std::to_wstring(i));
  Show();
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(tree.TopOffset(), 60);
  EXPECT_EQ(tree.NodeAt(5, 30)->Data<Entry>().Text, L"row3");
  Wheel(10 * WHEEL_DELTA);
  EXPECT_EQ(tree.TopOffset(), 0) << "not above the first row";
  Wheel(-100 * WHEEL_DELTA);
  EXPECT_EQ(tree.TopOffset(), 40 * 20 - (300 - 30)) << "not below the last row";
  EXPECT_EQ(tree.NodeAt(5, 299)->Data<Entry>().Text, L"row39");
  SCROLLINFO si{sizeof(si), SIF_ALL};
  ::GetScrollInfo(Window(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, tree.TopOffset());
}

TEST_F(TreeGeometryTest, TheKeysScrollTheFocusedRowIntoView) {
  tree.SetColumnWidth(0, 200);  // room for the vertical bar: no horizontal one
  for (int i = 0; i < 40; ++i) Add(L"row" + std::to_wstring(i));
  Show();
  tree.SetFocusedNode(tree.Root(0));
  ::SendMessageW(Window(), WM_KEYDOWN, VK_END, 1);
  EXPECT_EQ(tree.TopOffset(), 40 * 20 - (300 - 30));
  EXPECT_EQ(tree.NodeAt(5, 299), tree.Root(39));
  for (int i = 0; i < 14; ++i) ::SendMessageW(Window(), WM_KEYDOWN, VK_UP, 1);
  EXPECT_EQ(tree.FocusedNode(), tree.Root(25));
  EXPECT_EQ(tree.NodeAt(5, 30), tree.Root(25)) << "the row moved up to the top edge";
  ::SendMessageW(Window(), WM_KEYDOWN, VK_HOME, 1);
  EXPECT_EQ(tree.TopOffset(), 0);
}

TEST_F(TreeGeometryTest, TheOwnerChoosesTheHandCursorOverARectangle) {
  ui::TreeNode* a = Add(L"a");
  tree.SetNodeHeight(a, 30);
  Show();
  tree.OnGetCursor = [&](int x, int y, ui::TreeCursor& cursor) {
    ui::TreeNode* n = tree.NodeAt(x, y);
    if (n == nullptr) return;
    const os::Rect cell = tree.CellRect(n, 2);
    if (x > cell.Left + 28 && x < cell.Right - 28 && y > cell.Top + 5 && y < cell.Bottom - 5) {
      cursor = ui::TreeCursor::HandPoint;
    }
  };
  EXPECT_EQ(tree.CursorAt(360, 45), ui::TreeCursor::HandPoint);
  EXPECT_EQ(tree.CursorAt(340, 45), ui::TreeCursor::Default);
  EXPECT_EQ(tree.CursorAt(360, 80), ui::TreeCursor::Default);

  // The window asks when the pointer moves over it. The pointer is the scripted desktop's: the
  // real one is shared with every test running beside this one.
  const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
  const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  for (const auto& [x, y, expected] : {std::tuple{360, 45, hand}, std::tuple{340, 45, arrow}}) {
    POINT p{x, y};
    ::ClientToScreen(Window(), &p);
    sys->Cursor = {p.x, p.y};
    ::SendMessageW(Window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Window()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), expected) << x << "," << y;
  }
}

TEST_F(TreeGeometryTest, ADemoTreeWithImagesStateImagesAndCheckBoxesPaintsThemInOrder) {
  // A small inspector-like tree: an image and a state image in the first column, a check box.
  ui::ImageList images(16, 16), flags(16, 16);
  images.Add(testing_support::SolidPng(16, 16, 0xFF0000FF));  // blue
  flags.Add(testing_support::SolidPng(16, 16, 0xFF00FF00));   // green
  tree.SetImages(&images);
  tree.SetStateImages(&flags);
  tree.SetShowRoot(true);
  tree.OnGetImageIndex = [](ui::TreeNode* n, int column, ui::ImageKind kind, int& index) {
    if (column != 0 || n->Parent() == nullptr) return;
    index = 0;
    (void)kind;
  };
  ui::TreeNode* desktop = Add(L"Desktop");
  ui::TreeNode* window = Add(L"Window", desktop);
  tree.SetNodeHeight(window, 20);
  tree.SetCheckBox(window, true);
  tree.SetExpanded(desktop, true);
  Show();
  testing_support::Surface surface(400, 300);
  ::SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
  // Row 2 (50..70): margin 4, two indents of 18, the 13-pixel check box and 4 pixels, then the
  // state image (16), 2 pixels, the image (16).
  const int x = 4 + 2 * 18 + 13 + 4;
  EXPECT_EQ(surface.CountOf(RECT{x, 52, x + 16, 68}, RGB(0, 255, 0)), 256) << "state image";
  EXPECT_EQ(surface.CountOf(RECT{x + 18, 52, x + 34, 68}, RGB(0, 0, 255)), 256) << "image";
  const ui::TreeHit onCheck = tree.HitTest(4 + 36 + 6, 60);
  EXPECT_TRUE(onCheck.OnCheckBox);
  EXPECT_TRUE(tree.HitTest(x + 3, 60).OnStateImage);
  EXPECT_TRUE(tree.HitTest(x + 20, 60).OnImage);
  EXPECT_TRUE(tree.HitTest(4 + 9, 40).OnButton) << "the desktop's button in its indent";
  EXPECT_EQ(surface.CountOf(RECT{0, 30, 400, 50}, RGB(0, 0, 255)), 0)
      << "no image for the top node";
}

TEST_F(TreeListTest, TreeLinesJoinEachNodeToItsSiblingsThroughTheIndent) {
  tree.SetShowRoot(true);
  tree.SetShowTreeLines(true);
  tree.SetGridLineColor(os::clRed);
  ui::TreeNode* first = Add(L"first");
  Add(L"child", first);
  Add(L"last");
  tree.SetExpanded(first, true);
  Show();
  testing_support::Surface surface(400, 300);
  ::SendMessageW(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
  // Rows of 20 without a header: first 0..20, child 20..40, last 40..60. The top-level line
  // runs down the middle of the first indent (x 13) from the first node to the last.
  const COLORREF red = RGB(255, 0, 0);
  EXPECT_GE(surface.CountOf(RECT{13, 20, 14, 40}, red), 9) << "through the child's row";
  EXPECT_EQ(surface.CountOf(RECT{13, 51, 14, 60}, red), 0) << "not below the last node";
  // The child's own slot is the second indent (22..40), its line in the middle (x 31): down
  // from the row's top to its middle, then across to the end of the slot.
  EXPECT_GE(surface.CountOf(RECT{31, 20, 32, 31}, red), 5) << "the child's line from above";
  EXPECT_EQ(surface.CountOf(RECT{31, 32, 32, 40}, red), 0) << "no sibling below the child";
  EXPECT_GE(surface.CountOf(RECT{32, 30, 40, 31}, red), 4) << "the child's branch";
  EXPECT_EQ(surface.CountOf(RECT{13, 0, 14, 5}, red), 0) << "not above the first node";
}

}  // namespace
