// The tree list's nodes and their state: typed records and hierarchy, check events, the one
// selected row, expansion and its refusal, and property writes that change nothing.
#include <gtest/gtest.h>

#include <any>

#include "tree_list_fixture.h"
#include "ui/native_calls.h"

namespace {

using tree_test::Entry;
using tree_test::TreeListTest;

TEST_F(TreeListTest, NodesCarryTheOwnersRecordsInTheirHierarchy) {
  ui::TreeNode* a = Add(L"a");
  ui::TreeNode* a1 = Add(L"a1", a);
  ui::TreeNode* a11 = Add(L"a11", a1);
  ui::TreeNode* a2 = Add(L"a2", a);
  ui::TreeNode* b = tree.AddChild(nullptr, Entry{L"b", 7});
  struct Other {
    int Value;
  };
  ui::TreeNode* c = tree.AddChild(nullptr, Other{42});

  EXPECT_EQ(tree.RootCount(), 3);
  EXPECT_EQ(tree.TotalCount(), 6);
  EXPECT_EQ(b->Data<Entry>().Number, 7);
  EXPECT_EQ(c->Data<Other>().Value, 42) << "each node's record has the type its owner chose";
  EXPECT_THROW(c->Data<Entry>(), std::bad_any_cast);
  b->Data<Entry>().Text = L"B";  // the record is the owner's to change
  EXPECT_EQ(b->Data<Entry>().Text, L"B");

  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(a11->Parent(), a1);
  EXPECT_EQ(a11->Level(), 2);
  EXPECT_EQ(a2->Index(), 1);
  EXPECT_EQ(a->ChildCount(), 2);
  EXPECT_EQ(a1->NextSibling(), a2);
  EXPECT_EQ(a2->NextSibling(), nullptr);

  std::vector<ui::TreeNode*> order;
  for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) order.push_back(n);
  EXPECT_EQ(order, (std::vector<ui::TreeNode*>{a, a1, a11, a2, b, c})) << "parents before children";

  tree.DeleteNode(a1);
  EXPECT_EQ(tree.TotalCount(), 4) << "a node goes with all below it";
  EXPECT_EQ(a->ChildCount(), 1);
  EXPECT_EQ(a->Child(0), a2);
}

TEST_F(TreeListTest, TheCheckEventFiresOnEveryActualChangeOnlyFromCodeAndFromTheUser) {
  ui::TreeNode* row = Add(L"row");
  Add(L"other");
  tree.SetCheckBox(row, true);
  Show();
  int events = 0;
  tree.OnChecked = [&](ui::TreeNode* n) {
    EXPECT_EQ(n, row);
    ++events;
  };
  // The check box of a top-level row: margin 4, 13 pixels wide, centred in the 20-pixel row.
  const int boxX = 4 + 6, boxY = 10;
  struct Step {
    const char* What;
    std::function<void()> Do;
    bool Checked;
    int Events;
  };
  const Step steps[] = {
      {"code sets the value it has", [&] { tree.SetChecked(row, false); }, false, 0},
      {"code checks", [&] { tree.SetChecked(row, true); }, true, 1},
      {"code checks again", [&] { tree.SetChecked(row, true); }, true, 1},
      {"click on the box", [&] { Click(boxX, boxY); }, false, 2},
      {"click on the text", [&] { Click(60, boxY); }, false, 2},
      {"space on the focused row", [&] { Key(VK_SPACE); }, true, 3},
      {"click on the box of the other row, which has none", [&] { Click(boxX, 30); }, true, 3},
      {"double click on the box: two presses",
       [&] {
         Click(boxX, boxY);
         ::SendMessageW(Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(boxX, boxY));
         ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(boxX, boxY));
       },
       true, 5},
  };
  for (const Step& s : steps) {
    s.Do();
    EXPECT_EQ(row->Checked(), s.Checked) << s.What;
    EXPECT_EQ(events, s.Events) << s.What;
  }
}

TEST_F(TreeListTest, OneRowIsSelectedWhileTheTreeHasRows) {
  std::vector<std::wstring> changes;  // texts: the nodes themselves are deleted on the way
  tree.OnChange = [&](ui::TreeNode* n) { changes.push_back(Texts({n})[0]); };
  ui::TreeNode* a = Add(L"a");
  EXPECT_EQ(tree.Selected(), a) << "the first row is selected as it comes";
  ui::TreeNode* b = Add(L"b");
  ui::TreeNode* c = Add(L"c");
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"a"})) << "later rows leave it";

  Show();
  Click(60, 300 - 5);  // below the rows
  EXPECT_EQ(tree.Selected(), a) << "a click on no row keeps the selection";

  tree.SetSelected(nullptr);
  EXPECT_EQ(tree.Selected(), a) << "no code takes the last selection away";
  tree.SetSelected(b);
  tree.DeleteNode(b);
  EXPECT_EQ(tree.Selected(), c) << "deleting the selected row selects the next";
  tree.DeleteNode(c);
  EXPECT_EQ(tree.Selected(), a) << "and the one before when there is no next";
  tree.DeleteNode(a);
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"a", L"b", L"c", L"a", L"(none)"}));

  changes.clear();
  tree.BeginUpdate();
  ui::TreeNode* x = Add(L"x");
  EXPECT_EQ(tree.Selected(), nullptr) << "nothing is selected while the tree is being built";
  Add(L"y");
  tree.EndUpdate();
  EXPECT_EQ(tree.Selected(), x);
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"x"}));

  tree.Clear();
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_EQ(changes, (std::vector<std::wstring>{L"x", L"(none)"}));
}

TEST_F(TreeListTest, ARefusedCollapseKeepsTheNodeOpenWhateverAsksForIt) {
  tree.SetShowRoot(true);
  ui::TreeNode* parent = Add(L"parent");
  ui::TreeNode* child = Add(L"child", parent);
  Add(L"grandchild", child);
  tree.FullExpand();
  EXPECT_TRUE(parent->Expanded());
  EXPECT_TRUE(child->Expanded());
  Show();
  int asked = 0;
  tree.OnCollapsing = [&](ui::TreeNode*, bool& allowed) {
    ++asked;
    allowed = false;
  };
  // With root buttons, the top-level node's button sits in the first indent slot: 4 + 4 .. 13.
  Click(4 + 9, 10);
  ::SendMessageW(Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4 + 9, 10));
  tree.SetFocusedNode(parent);
  Key(VK_LEFT);
  EXPECT_FALSE(tree.SetExpanded(parent, false));
  tree.FullCollapse();
  EXPECT_TRUE(parent->Expanded());
  EXPECT_TRUE(child->Expanded());
  EXPECT_GE(asked, 5);
  EXPECT_EQ(tree.NodeAt(60, 50), child->FirstChild()) << "the rows below stay shown";

  tree.OnCollapsing = nullptr;
  tree.SetFocusedNode(child->FirstChild());
  Click(4 + 9, 10);
  EXPECT_FALSE(parent->Expanded()) << "allowed, the button collapses";
  EXPECT_EQ(tree.Selected(), parent) << "the hidden selected row hands over to the collapsed node";
  EXPECT_EQ(tree.NodeAt(60, 30), nullptr);
  Click(4 + 9, 10);
  EXPECT_TRUE(parent->Expanded());
  tree.FullCollapse();
  EXPECT_FALSE(parent->Expanded());
  EXPECT_FALSE(child->Expanded());
}

TEST_F(TreeListTest, WritingTheValuesAPropertyHasMakesNoNativeCall) {
  tree.AddColumn(L"Name", 100);
  ui::TreeNode* row = Add(L"row");
  tree.SetCheckBox(row, true);
  tree.SetChecked(row, true);
  Show();
  int events = 0;
  tree.OnChecked = [&](ui::TreeNode*) { ++events; };
  tree.OnChange = [&](ui::TreeNode*) { ++events; };
  ui::ResetNativeCallCount();
  for (int pass = 0; pass < 3; ++pass) {
    tree.SetChecked(row, true);
    tree.SetCheckBox(row, true);
    tree.SetSelected(row);
    tree.SetExpanded(row, false);
    tree.SetNodeHeight(row, 20);
    tree.SetColumnWidth(0, 100);
    tree.SetColumnText(0, L"Name");
    tree.SetColumnOrder({0});
    tree.SetHeaderVisible(true);
    tree.SetMargin(4);
    tree.SetShowRoot(false);
    tree.SetGridLines(false, false);
    tree.SetTopOffset(0);
    tree.SetBounds(0, 0, 400, 300);
    tree.SetVisible(true);
  }
  EXPECT_EQ(ui::NativeCallCount(), 0);
  EXPECT_EQ(events, 0);
}

}  // namespace

namespace {

TEST_F(TreeListTest, ADoubleClickTogglesANodeOnlyWhenTheTreeIsSetSo) {
  ui::TreeNode* parent = Add(L"parent");
  Add(L"child", parent);
  Show();
  int doubleClicks = 0;
  tree.OnDblClick = [&] { ++doubleClicks; };
  auto doubleClick = [&] {
    Click(60, 10);
    ::SendMessageW(Window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 10));
    ::SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(60, 10));
  };
  doubleClick();
  EXPECT_FALSE(parent->Expanded());
  tree.SetToggleOnDoubleClick(true);
  doubleClick();
  EXPECT_TRUE(parent->Expanded());
  doubleClick();
  EXPECT_FALSE(parent->Expanded());
  EXPECT_EQ(doubleClicks, 3);
}

}  // namespace
