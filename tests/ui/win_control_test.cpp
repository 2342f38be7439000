// Native child controls on a form: when their windows are made, where they are placed, when
// they show, the messages they send their parent, and the single-line edit.
#include <gtest/gtest.h>

#include <memory>

#include "support/fake_system.h"
#include "ui/application.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/native_calls.h"
#include "ui/panel.h"
#include "ui/tree_list.h"

namespace {

class EditForm : public ui::Form {
 public:
  EditForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetBounds(0, 0, 300, 200);
    Box.SetBounds(20, 30, 200, 100);
    Field.SetBounds(5, 6, 120, 23);
  }
  ui::Panel Box{this};
  ui::Edit Field{&Box};
};

class WinControlTest : public ::testing::Test {
 protected:
  RECT InForm(HWND h) {
    RECT r{};
    ::GetWindowRect(h, &r);
    ::MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  testing_support::ScopedFakeSystem sys;
  EditForm form;
};

void ExpectRect(const RECT& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST_F(WinControlTest, TheWindowIsMadeWithTheFormsAndFollowsItsContainers) {
  EXPECT_FALSE(form.Field.HandleAllocated()) << "no window before the form has one";
  HWND field = form.Field.Handle();
  EXPECT_TRUE(form.HandleAllocated());
  EXPECT_EQ(::GetParent(field), form.Handle());
  ExpectRect(InForm(field), 25, 36, 145, 59);
  form.Show();
  EXPECT_TRUE(::IsWindowVisible(field));

  form.Box.SetBounds(40, 50, 200, 100);  // moved, not resized
  ExpectRect(InForm(field), 45, 56, 165, 79);
  form.Box.SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(field)) << "hidden with its panel";
  form.Field.SetWidth(60);
  form.Box.SetVisible(true);
  EXPECT_TRUE(::IsWindowVisible(field));
  ExpectRect(InForm(field), 45, 56, 105, 79);
  form.Field.SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(field));

  ui::Edit late(&form.Box);  // added after the form's window exists
  EXPECT_TRUE(late.HandleAllocated());
  EXPECT_TRUE(::IsWindowVisible(late.Handle()));
}

TEST_F(WinControlTest, TheEditKeepsItsTextReadOnlyStateAndColoursAndChangesNothingTwice) {
  form.Field.SetText(L"Shell_TrayWnd");
  form.Field.SetReadOnly(true);
  form.Field.SetColor(0xDCDCDC);
  HWND field = form.Field.Handle();
  wchar_t className[16] = {};
  ::GetClassNameW(field, className, 16);
  EXPECT_STREQ(className, L"Edit");
  EXPECT_EQ(form.Field.Text(), L"Shell_TrayWnd") << "set before the window, kept in it";
  EXPECT_NE(::GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY, 0);
  form.Field.SetReadOnly(false);
  EXPECT_EQ(::GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY, 0);

  // The edit asks its parent, the form, for its colours; the form hands the question back.
  HDC dc = ::GetDC(field);
  const LRESULT brush = ::SendMessageW(form.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(field));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(::GetBkColor(dc), 0xDCDCDCu);
  ::ReleaseDC(field, dc);

  form.Show();
  ui::ResetNativeCallCount();
  form.Field.SetText(L"Shell_TrayWnd");
  form.Field.SetReadOnly(false);
  form.Field.SetBounds(5, 6, 120, 23);
  EXPECT_EQ(ui::NativeCallCount(), 0);
  form.Field.SetText(L"Progman");
  EXPECT_EQ(form.Field.Text(), L"Progman");
}

TEST_F(WinControlTest, AKeyPreviewingFormSeesTheEditsKeysFirst) {
  form.SetKeyPreview(true);
  form.OnKeyDown = [&](WORD& key) {
    if (key == VK_ESCAPE) form.Hide();
  };
  form.Show();
  HWND field = form.Field.Handle();
  ::SendMessageW(field, WM_KEYDOWN, 'B', 1);
  EXPECT_TRUE(form.Visible());
  ::SendMessageW(field, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_FALSE(form.Visible()) << "Escape closes the window from any control";
}

}  // namespace

namespace {

TEST_F(WinControlTest, AControlDestroyedBeforeItsFormTakesItsWindowsWithIt) {
  form.Show();
  auto tree = std::make_unique<ui::TreeList>(&form.Box);
  tree->SetBounds(0, 0, 200, 100);
  tree->AddColumn(L"Name", 150);
  tree->SetEditable(true);
  tree->OnGetText = [](ui::TreeNode*, int, std::wstring& text) { text = L"row"; };
  ui::TreeNode* row = tree->AddChild(nullptr);
  ASSERT_TRUE(tree->EditNode(row, 0));
  const HWND treeWindow = tree->Handle();
  const HWND header = tree->HeaderHandle();
  const HWND editor = tree->EditorHandle();
  tree.reset();  // while it edits
  ui::App().ProcessMessages();
  EXPECT_FALSE(::IsWindow(treeWindow));
  EXPECT_FALSE(::IsWindow(header));
  EXPECT_FALSE(::IsWindow(editor));
  EXPECT_TRUE(::IsWindow(form.Field.Handle())) << "the form and its other controls stay";
}

}  // namespace
