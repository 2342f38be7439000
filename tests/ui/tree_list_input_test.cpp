// Keys, clicks and the in-place edit of the tree list, with real window messages: navigation,
// Delete left to the owner, F2, Enter and Escape in the edit, the form's key preview, editing
// on a click on the focused row, and the right button.
#include <gtest/gtest.h>

#include "tree_list_fixture.h"
#include "ui/popup_menu.h"

namespace {

using tree_test::Entry;
using tree_test::TreeListTest;

class TreeInputTest : public TreeListTest {
 protected:
  void SetUp() override {
    TreeListTest::SetUp();
    tree.SetEditable(true);
    tree.OnNewText = [this](ui::TreeNode* node, int column, const std::wstring& text) {
      commits.push_back(text);
      EXPECT_EQ(column, 0);
      node->Data<Entry>().Text = text;
    };
    first = Add(L"first");
    second = Add(L"second");
    third = Add(L"third");
    Show();
    Click(60, 10);  // focus the tree and its first row
  }
  std::wstring EditorText() {
    wchar_t text[64] = {};
    ::GetWindowTextW(tree.EditorHandle(), text, 64);
    return text;
  }

  std::vector<std::wstring> commits;
  ui::TreeNode* first = nullptr;
  ui::TreeNode* second = nullptr;
  ui::TreeNode* third = nullptr;
};

TEST_F(TreeInputTest, KeysMoveTheFocusedAndSelectedRow) {
  struct Step {
    WORD Key;
    const wchar_t* Row;
  };
  const Step steps[] = {{VK_DOWN, L"second"}, {VK_DOWN, L"third"}, {VK_DOWN, L"third"},
                        {VK_HOME, L"first"},  {VK_UP, L"first"},   {VK_END, L"third"},
                        {VK_UP, L"second"}};
  for (const Step& s : steps) {
    Key(s.Key);
    EXPECT_EQ(tree.FocusedNode()->Data<Entry>().Text, s.Row) << "key " << s.Key;
    EXPECT_EQ(tree.Selected(), tree.FocusedNode());
  }
}

TEST_F(TreeInputTest, DeleteIsTheOwnersKeyAndAKeyItTakesGoesNoFurther) {
  std::vector<WORD> keys;
  tree.OnKeyDown = [&](WORD& key) {
    keys.push_back(key);
    if (key == VK_DELETE) tree.DeleteNode(tree.FocusedNode());
    if (key == VK_DOWN) key = 0;
  };
  Key(VK_DELETE);
  EXPECT_EQ(tree.RootCount(), 2);
  EXPECT_EQ(tree.FocusedNode(), second) << "the next row takes the focus";
  Key(VK_DOWN);
  EXPECT_EQ(tree.FocusedNode(), second) << "a key the owner took does not move the focus";
  EXPECT_EQ(keys, (std::vector<WORD>{VK_DELETE, VK_DOWN}));
}

TEST_F(TreeInputTest, F2EditsTheFocusedRowEnterCommitsAndEscapeCancels) {
  Key(VK_DOWN);
  Key(VK_F2);
  ASSERT_TRUE(tree.IsEditing());
  EXPECT_EQ(EditorText(), L"second");
  EXPECT_EQ(::GetFocus(), tree.EditorHandle());
  Type(tree.EditorHandle(), L"2nd");  // the whole text was selected: typing replaces it
  Key(VK_RETURN, tree.EditorHandle());
  EXPECT_FALSE(tree.IsEditing());
  EXPECT_EQ(commits, (std::vector<std::wstring>{L"2nd"}));
  EXPECT_EQ(second->Data<Entry>().Text, L"2nd");
  EXPECT_EQ(::GetFocus(), Window()) << "the focus goes back to the tree";

  Key(VK_F2);
  Type(tree.EditorHandle(), L"lost");
  Key(VK_ESCAPE, tree.EditorHandle());
  EXPECT_FALSE(tree.IsEditing());
  EXPECT_EQ(commits.size(), 1u) << "Escape drops the typed text";
  EXPECT_EQ(second->Data<Entry>().Text, L"2nd");

  Key(VK_F2);
  Key(VK_RETURN, tree.EditorHandle());
  EXPECT_EQ(commits.size(), 1u) << "Enter on an untouched text changes nothing";

  tree.OnEditing = [](ui::TreeNode* node, int, bool& allowed) {
    allowed = node->Data<Entry>().Text != L"third";
  };
  Key(VK_DOWN);
  Key(VK_F2);
  EXPECT_FALSE(tree.IsEditing()) << "the owner refused this row";
  tree.OnKeyDown = [](WORD& key) {
    if (key == VK_F2) key = 0;
  };
  Key(VK_UP);
  Key(VK_F2);
  EXPECT_FALSE(tree.IsEditing()) << "a key the owner took starts nothing";
}

TEST_F(TreeInputTest, AnEditThatLosesTheFocusKeepsItsText) {
  ASSERT_TRUE(tree.EditNode(first, 0));
  Type(tree.EditorHandle(), L"kept");
  ::SetFocus(Window());
  Pump();
  EXPECT_FALSE(tree.IsEditing());
  EXPECT_EQ(commits, (std::vector<std::wstring>{L"kept"}));
}

TEST_F(TreeInputTest, EscapeInTheEditNeverReachesTheFormsKeyPreview) {
  form.SetKeyPreview(true);
  std::vector<WORD> previewed;
  form.OnKeyDown = [&](WORD& key) {
    previewed.push_back(key);
    if (key == VK_ESCAPE) form.Hide();  // as the settings window and the inspector do
  };
  Key(VK_F2);
  ASSERT_TRUE(tree.IsEditing());
  Type(tree.EditorHandle(), L"x");
  Key(VK_ESCAPE, tree.EditorHandle());
  EXPECT_FALSE(tree.IsEditing());
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(::IsWindowVisible(form.Handle()));

  Key(VK_F2);
  Key(VK_RETURN, tree.EditorHandle());
  EXPECT_EQ(previewed, (std::vector<WORD>{VK_F2, VK_F2}))
      << "the tree's keys are previewed; Enter and Escape of the edit are not";

  Key(VK_ESCAPE);  // in the tree itself, the form sees it first
  EXPECT_FALSE(form.Visible());
}

TEST_F(TreeInputTest, AClickOnTheFocusedRowEditsItAndAClickOnAnotherOnlyFocusesIt) {
  tree.SetEditOnClick(true);
  Click(60, 30);
  EXPECT_EQ(tree.FocusedNode(), second);
  EXPECT_FALSE(tree.IsEditing()) << "the first click focuses";
  Click(60, 30);
  ASSERT_TRUE(tree.IsEditing());
  EXPECT_EQ(EditorText(), L"second");
  RECT r{};
  ::GetWindowRect(tree.EditorHandle(), &r);
  ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 20) << "over the row";
  EXPECT_EQ(r.bottom, 40);
  EXPECT_EQ(r.left, 4) << "from the text's place";
  tree.SetEditOnClick(false);
  Key(VK_ESCAPE, tree.EditorHandle());
  Click(60, 30);
  EXPECT_FALSE(tree.IsEditing());
}

TEST_F(TreeInputTest, TheRightButtonFocusesTheCellUnderIt) {
  tree.AddColumn(L"Class", 200);
  tree.AddColumn(L"Title", 200);
  tree.SetHeaderHeight(20);
  RightClick(250, 45);  // row 1 (rows start below the 20-pixel header), column 1
  EXPECT_EQ(tree.FocusedNode(), second);
  EXPECT_EQ(tree.FocusedColumn(), 1);
  tree.SetRightClickSelect(false);
  RightClick(50, 65);
  EXPECT_EQ(tree.FocusedNode(), second);
}

}  // namespace

namespace {

class RecordingMenu : public ui::PopupMenu {
 public:
  void Popup(int x, int y) override {  // records instead of opening a modal menu
    if (OnPopup) OnPopup();
    Shown.push_back({x, y});
  }
  std::vector<POINT> Shown;
};

TEST_F(TreeInputTest, TheTreesMenuOpensAtTheRightClickOnTheCellItFocused) {
  tree.AddColumn(L"Class", 200);
  tree.AddColumn(L"Title", 200);
  tree.SetHeaderHeight(20);
  RecordingMenu menu;
  tree.SetPopupMenu(&menu);
  int focusedColumnWhenShown = -1;
  ui::TreeNode* focusedWhenShown = nullptr;
  menu.OnPopup = [&] {
    focusedWhenShown = tree.FocusedNode();
    focusedColumnWhenShown = tree.FocusedColumn();
  };
  RightClick(250, 65);  // third row, second column; the button's release asks for the menu
  POINT screen{250, 65};
  ::ClientToScreen(Window(), &screen);
  ASSERT_EQ(menu.Shown.size(), 1u);
  EXPECT_EQ(menu.Shown[0].x, screen.x);
  EXPECT_EQ(menu.Shown[0].y, screen.y);
  EXPECT_EQ(focusedWhenShown, third) << "the menu sees the cell that was right-clicked";
  EXPECT_EQ(focusedColumnWhenShown, 1);
}

}  // namespace
