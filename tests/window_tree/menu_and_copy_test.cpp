// The tree's popup menu, the copies to the clipboard, expanding and collapsing, closing and the
// texts of the text table.
#include <string>
#include <vector>

#include "core/common.h"
#include "core/json.h"
#include "win_tree_fixture.h"

namespace win_tree_test {
namespace {

// What the built menu shows: one line per entry, "-" for a separator.
std::vector<std::wstring> Shown(ui::PopupMenu& menu) {
  ui::BuiltMenu built = menu.Prepare();
  std::vector<std::wstring> lines;
  const int n = ::GetMenuItemCount(built.Handle());
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ::GetMenuItemInfoW(built.Handle(), static_cast<UINT>(i), TRUE, &info);
    if ((info.fType & MFT_SEPARATOR) != 0) {
      lines.push_back(L"-");
      continue;
    }
    const ui::MenuEntry& e = built.Entries.at(static_cast<size_t>(info.dwItemData));
    std::wstring kind = e.Kind == ui::MenuItemKind::Label ? L"label " : L"";
    lines.push_back(kind + e.Caption);
  }
  return lines;
}

class WinTreeMenu : public WinTreeTest {
 protected:
  window_tree::TfWinTree& CreateAndFocus(os::WindowId window, int column) {
    auto& w = Create();
    w.vstWinTree.FullExpand();
    w.vstWinTree.SetFocusedNode(Find(w, window));
    w.vstWinTree.SetFocusedColumn(column);
    return w;
  }
  // Chooses the item in the menu as the user would; true when its handler ran.
  bool Choose(window_tree::TfWinTree& w, ui::MenuItem* item) {
    ui::BuiltMenu built = w.pmWinTree.Prepare();
    for (const auto& [id, target] : built.Commands) {
      if (target == item) return w.pmWinTree.Invoke(built, id);
    }
    ADD_FAILURE() << "not in the built menu";
    return false;
  }
};

TEST_F(WinTreeMenu, ItemsOfACellWithText) {
  auto& w = CreateAndFocus(editor, window_tree::kColTitle);
  const std::vector<std::wstring> expected{
      L"label Copy text",
      L"Notes & Plans",
      L"-",
      L"label Copy Window Class",
      L"EditorFrame",
      L"-",
      L"label Copy Process Name",
      L"Editor.exe",
      L"-",
      L"Expand All",
      L"Collapse All",
      L"-",
      L"Update",
  };
  EXPECT_EQ(Shown(w.pmWinTree), expected);
  for (ui::MenuItem* item : {w.pmm_CopyToClipboard, w.pmm_CopyToClipboard_Class,
                             w.pmm_CopyToClipboard_Filename}) {
    EXPECT_FALSE(item->ShowAccelChar) << "a title's \"&\" shows as itself";
    EXPECT_TRUE(item->Bold);
    EXPECT_EQ(item->FontSizePercent, 90);
    EXPECT_EQ(item->ImageIndex, 1);
  }
  EXPECT_EQ(w.pmm_CopyToClipboard->Hint, L"Notes & Plans");
  for (ui::MenuItem* label : {w.L_CopyText, w.L_Copy_Window_Class, w.L_Copy_Process_Name}) {
    EXPECT_TRUE(label->Bold);
    EXPECT_EQ(label->FontSizePercent, 90);
    EXPECT_EQ(label->FontColor, static_cast<os::TColor>(0xFF000000 | COLOR_HIGHLIGHT));
  }
  EXPECT_EQ(w.pmm_Update->ImageIndex, 0);
}

TEST_F(WinTreeMenu, ABlankCellHidesOnlyTheFirstCopy) {
  auto& w = CreateAndFocus(guarded, window_tree::kColFullPath);
  const std::vector<std::wstring> expected{
      L"label Copy Window Class", L"Task Switch Window", L"-", L"label Copy Process Name", L"",
      L"-", L"Expand All", L"Collapse All", L"-", L"Update",
  };
  // The leading separator stays: the menu shows its items as they are.
  std::vector<std::wstring> shown = Shown(w.pmWinTree);
  ASSERT_FALSE(shown.empty());
  if (shown.front() == L"-") shown.erase(shown.begin());
  EXPECT_EQ(shown, expected);
}

TEST_F(WinTreeMenu, WithoutAFocusedNodeTheLastTextsStay) {
  auto& w = CreateAndFocus(editor, window_tree::kColClass);
  w.pmWinTree.Prepare();
  w.vstWinTree.SetFocusedNode(nullptr);
  w.vstWinTree.SetFocusedColumn(window_tree::kColTitle);
  w.pmWinTree.Prepare();
  EXPECT_EQ(w.pmm_CopyToClipboard->Caption, L"EditorFrame");
  EXPECT_EQ(w.pmm_CopyToClipboard_Filename->Caption, L"Editor.exe");
}

TEST_F(WinTreeMenu, CopiesPutTheTextUnchangedOnTheClipboard) {
  auto& w = CreateAndFocus(editor, window_tree::kColTitle);
  const std::vector<std::pair<ui::MenuItem*, std::wstring>> cases{
      {w.pmm_CopyToClipboard, L"Notes & Plans"},
      {w.pmm_CopyToClipboard_Class, L"EditorFrame"},
      {w.pmm_CopyToClipboard_Filename, L"Editor.exe"},
  };
  for (const auto& [item, text] : cases) {
    sys->Clipboard.clear();
    EXPECT_TRUE(Choose(w, item));
    EXPECT_EQ(sys->Clipboard, text);
  }
  EXPECT_TRUE(sys->MessageBoxes.empty());
}

TEST_F(WinTreeMenu, ABusyClipboardIsTriedAgainThenReported) {
  auto& w = CreateAndFocus(editor, window_tree::kColTitle);
  sys->ClipboardBusyAttempts = 3;  // another program lets go after a moment
  EXPECT_TRUE(Choose(w, w.pmm_CopyToClipboard));
  EXPECT_EQ(sys->Clipboard, L"Notes & Plans");
  EXPECT_TRUE(sys->MessageBoxes.empty());

  sys->Clipboard = L"before";
  sys->ClipboardBusyAttempts = 1000;  // it never lets go
  const int attempts = sys->ClipboardAttempts;
  w.Show();
  ::SetActiveWindow(w.Handle());  // the user works in the inspector
  Choose(w, w.pmm_CopyToClipboard_Class);
  EXPECT_EQ(sys->Clipboard, L"before");
  EXPECT_GT(sys->ClipboardAttempts - attempts, 1) << "tried more than once";
  ASSERT_EQ(sys->MessageBoxes.size(), 1u) << "the user learns that nothing was copied";
  EXPECT_NE(sys->MessageBoxes[0].Text.find(L"clipboard"), std::wstring::npos);
  EXPECT_EQ(sys->MessageBoxes[0].Owner.Value, reinterpret_cast<std::uintptr_t>(w.Handle()))
      << "above the inspector";
  w.Hide();
}

TEST_F(WinTreeMenu, TheEditsShowTheSelectedWindowAndCopyTheirText) {
  auto& w = CreateAndFocus(editor, window_tree::kColTitle);
  w.vstWinTree.SetSelected(Find(w, editorDialog));
  EXPECT_EQ(w.edWindowsClass.Text(), L"Dialog Box");
  EXPECT_EQ(w.edProcessName.Text(), L"Editor.exe");
  w.edProcessNameButton.Click();
  EXPECT_EQ(sys->Clipboard, L"Editor.exe");
  w.edWindowsClassButton.Click();
  EXPECT_EQ(sys->Clipboard, L"Dialog Box");
}

TEST_F(WinTreeMenu, ExpandAllAndCollapseAll) {
  auto& w = Create();
  Choose(w, w.pmm_ExpandAll);
  for (ui::TreeNode* n = w.vstWinTree.FirstNode(); n != nullptr; n = w.vstWinTree.NextNode(n)) {
    if (n->HasChildren()) {
      EXPECT_TRUE(n->Expanded()) << Text(w, n, 0);
    }
  }
  Choose(w, w.pmm_CollapseAll);
  for (ui::TreeNode* n = w.vstWinTree.FirstNode(); n != nullptr; n = w.vstWinTree.NextNode(n)) {
    EXPECT_EQ(n->Expanded(), n == w.vstWinTree.FirstNode()) << Text(w, n, 0);
  }
}

TEST_F(WinTreeMenu, UpdateReadsTheDesktopAgain) {
  auto& w = Create();
  sys->Titles[palette] = L"Colours";
  EXPECT_EQ(Text(w, Find(w, palette), window_tree::kColTitle), L"");
  Choose(w, w.pmm_Update);
  EXPECT_EQ(Text(w, Find(w, palette), window_tree::kColTitle), L"Colours");
  sys->Titles[palette] = L"Swatches";
  w.btnReload.Click();
  EXPECT_EQ(Text(w, Find(w, palette), window_tree::kColTitle), L"Swatches");
}

TEST_F(WinTreeMenu, EscapeAndCloseHideTheWindowWhichShowsAgainWithItsTree) {
  window_tree::ShowWinTree();
  window_tree::TfWinTree* w = window_tree::fWinTree.get();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Visible());
  sys->Titles[palette] = L"changed meanwhile";
  WORD key = VK_ESCAPE;
  w->FormKeyDown(key);
  EXPECT_FALSE(w->Visible());
  window_tree::ShowWinTree();
  EXPECT_EQ(window_tree::fWinTree.get(), w) << "made once";
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(Text(*w, Find(*w, palette), window_tree::kColTitle), L"") << "not filled again";
  w->btnClose.Click();
  EXPECT_FALSE(w->Visible());
  // From the tree, the control that has the keys most of the time.
  window_tree::ShowWinTree();
  ::SendMessageW(w->vstWinTree.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(w->Visible());
}

TEST_F(WinTreeMenu, TheTextTableGivesSixTextsWhenLoaded) {
  auto& w = Create();
  w.ApplyLanguage();
  EXPECT_EQ(w.Caption(), L"Windows Tree") << "no table: the form's texts";
  EXPECT_EQ(w.btnClose.Caption(), L"Close");
  core::LangTable = std::make_unique<core::Json>(core::ParseJsonText(
      R"({"Items":{"121":"T121","122":"T122","123":"T123","124":"T124","125":"T125","126":"T126"}})"));
  window_tree::ShowWinTree();
  EXPECT_EQ(w.Caption(), L"T121");
  EXPECT_EQ(w.L_ShowHiddenWindows.Caption(), L"T122");
  EXPECT_EQ(w.btnClose.Caption(), L"T123");
  EXPECT_EQ(w.pmm_ExpandAll->Caption, L"T124");
  EXPECT_EQ(w.pmm_CollapseAll->Caption, L"T125");
  EXPECT_EQ(w.pmm_Update->Caption, L"T126");
  EXPECT_EQ(w.vstWinTree.Column(0).Text, L"Window Class") << "the headers keep the form's texts";
  EXPECT_EQ(w.Label1.Caption(), L"Window Class:");
}

TEST_F(WinTreeMenu, ColumnsAsTheFormDefinesThem) {
  auto& w = Create();
  struct Expected {
    const wchar_t* Text;
    int Width;
    ui::ColumnAlign Align;
  };
  const Expected columns[] = {
      {L"Window Class", 200, ui::ColumnAlign::Left}, {L"Title", 200, ui::ColumnAlign::Left},
      {L"Handle", 70, ui::ColumnAlign::Right},       {L"Process ID", 70, ui::ColumnAlign::Right},
      {L"Thread ID", 70, ui::ColumnAlign::Right},    {L"Layout", 80, ui::ColumnAlign::Center},
      {L"Lang", 125, ui::ColumnAlign::Left},         {L"Filename", 150, ui::ColumnAlign::Left},
      {L"Full Path", 250, ui::ColumnAlign::Left},
  };
  ASSERT_EQ(w.vstWinTree.ColumnCount(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(w.vstWinTree.Column(i).Text, columns[i].Text);
    EXPECT_EQ(w.vstWinTree.Column(i).Width, w.Px(columns[i].Width)) << i;
    EXPECT_EQ(w.vstWinTree.Column(i).Align, columns[i].Align) << i;
  }
}

}  // namespace
}  // namespace win_tree_test
