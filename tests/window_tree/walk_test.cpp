// The window walk: which windows the tree lists, in which order, and what it reads of each.
#include <string>
#include <vector>

#include "os/error.h"
#include "win_tree_fixture.h"

namespace win_tree_test {
namespace {

using window_tree::TWinTree;

TEST_F(WinTreeTest, WithTheSwitchOffOnlyVisibleWindowsAreListedInZOrder) {
  auto& w = Create();
  const std::vector<std::wstring> expected{
      L"Desktop|",
      L"  EditorPalette|",
      L"  EditorFrame|Notes & Plans",
      L"    Dialog Box|Find",
      L"    Edit|",
      L"  Task Switch Window|",
  };
  EXPECT_EQ(Lines(w), expected) << "the hidden host is left out with its visible button";
  ui::TreeNode* root = w.vstWinTree.FirstNode();
  EXPECT_EQ(w.vstWinTree.RootCount(), 1);
  EXPECT_TRUE(root->Expanded());
  for (ui::TreeNode* child = root->FirstChild(); child != nullptr; child = child->NextSibling()) {
    EXPECT_FALSE(child->Expanded()) << Text(w, child, 0);
  }
}

TEST_F(WinTreeTest, WithTheSwitchOnEveryWindowIsListed) {
  auto& w = Create();
  w.swShowHiddenWindows.SetChecked(true);  // its click handler fills the tree again
  const std::vector<std::wstring> expected{
      L"Desktop|",
      L"  EditorPalette|",
      L"  EditorFrame|Notes & Plans",
      L"    Dialog Box|Find",
      L"    Edit|",
      L"  Task Switch Window|",
      L"  HostWindow|",
      L"    Button|OK",
  };
  EXPECT_EQ(Lines(w), expected);
  EXPECT_TRUE(w.vstWinTree.FirstNode()->Expanded());
  w.swShowHiddenWindows.SetChecked(false);
  EXPECT_EQ(Lines(w).size(), 6u);
}

TEST_F(WinTreeTest, ALoopingSiblingChainListsEachWindowOnce) {
  // Another program reorders its windows during the walk, and GetWindow leads back: the palette
  // points back at the editor, and the editor's dialog at itself.
  sys->NextSibling[editor] = palette;
  sys->NextSibling[editorDialog] = editorDialog;
  auto& w = Create();
  const std::vector<std::wstring> expected{
      L"Desktop|",
      L"  EditorPalette|",
      L"  EditorFrame|Notes & Plans",
      L"    Dialog Box|Find",
  };
  EXPECT_EQ(Lines(w), expected);
}

TEST_F(WinTreeTest, AWindowDestroyedDuringTheWalkEndsItsChain) {
  sys->OnWindowText = [this](os::WindowId window) {
    if (window == editor) sys->DestroyWindow(editor);
  };
  auto& w = Create();
  const std::vector<std::wstring> expected{
      L"Desktop|",
      L"  EditorPalette|",
      L"  EditorFrame|",  // its title and ids were gone when they were read
  };
  EXPECT_EQ(Lines(w), expected);
  const TWinTree& gone = Find(w, editor)->Data<TWinTree>();
  EXPECT_EQ(gone.ThreadId, 0u);
  EXPECT_EQ(gone.ProcessId, 0u);
  EXPECT_EQ(gone.ImagePath, L"");
}

TEST_F(WinTreeTest, AProcessThatCannotBeOpenedHasNoPathNorIcon) {
  auto& w = Create();
  ui::TreeNode* node = Find(w, guarded);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(Text(w, node, window_tree::kColFilename), L"");
  EXPECT_EQ(Text(w, node, window_tree::kColFullPath), L"");
  EXPECT_NE(Text(w, node, window_tree::kColProcessId), L"0") << "the id is still known";
  for (int column : {window_tree::kColClass, window_tree::kColFilename}) {
    int index = -2;
    w.vstWinTreeGetImageIndex(node, column, ui::ImageKind::Normal, index);
    EXPECT_EQ(index, -1) << column;
  }
  EXPECT_EQ(w.ImagePaths().count(L""), 1u);
}

TEST_F(WinTreeTest, ColumnTextsOfOneWindow) {
  auto& w = Create();
  ui::TreeNode* node = Find(w, editor);
  const auto& owner = sys->Window(editor);
  const unsigned process = sys->Threads.at(owner.ThreadId).ProcessId;
  const std::vector<std::pair<int, std::wstring>> cells{
      {window_tree::kColClass, L"EditorFrame"},
      {window_tree::kColTitle, L"Notes & Plans"},
      {window_tree::kColHandle, std::to_wstring(editor.Value)},
      {window_tree::kColProcessId, std::to_wstring(process)},
      {window_tree::kColThreadId, std::to_wstring(owner.ThreadId)},
      {window_tree::kColLayout, L"EN-US"},
      {window_tree::kColLang, L"English"},
      {window_tree::kColFilename, L"Editor.exe"},
      {window_tree::kColFullPath, L"C:\\Apps\\Editor.exe"},
  };
  for (const auto& [column, text] : cells) EXPECT_EQ(Text(w, node, column), text) << column;
}

TEST_F(WinTreeTest, TheHandleShowsInDecimal) {
  const os::WindowId big = sys->AddApp(kEditor, L"Big");
  sys->Windows[os::WindowId{0xABCDEF}] = sys->Window(big);
  sys->Windows.erase(big);
  auto& w = Create();
  ui::TreeNode* node = Find(w, os::WindowId{0xABCDEF});
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(Text(w, node, window_tree::kColHandle), L"11259375");
  EXPECT_EQ(w.vstWinTree.Column(window_tree::kColHandle).Align, ui::ColumnAlign::Right);
}

TEST_F(WinTreeTest, ALayoutOfAnotherThreadShowsItsCodesAndFlag) {
  const int us = tray::DM->IL_Flag16.AddFromResource(L"PNG4X3_16_US", L"us");
  sys->Window(host).Visible = true;
  auto& w = Create();
  ui::TreeNode* german = Find(w, host);
  ui::TreeNode* english = Find(w, editor);
  EXPECT_EQ(Text(w, german, window_tree::kColLayout), L"DE-DE");
  EXPECT_EQ(Text(w, german, window_tree::kColLang), L"German");
  int index = -2;
  w.vstWinTreeGetImageIndex(english, window_tree::kColLayout, ui::ImageKind::State, index);
  EXPECT_EQ(index, us);
  index = -2;
  w.vstWinTreeGetImageIndex(german, window_tree::kColLayout, ui::ImageKind::State, index);
  EXPECT_EQ(index, -1) << "no flag named DE in the list";
}

TEST_F(WinTreeTest, TheLangColumnNamesTheLanguageOfTheLayoutsLowWord) {
  // A layout's low word is its language, the high word its keyboard: here the other
  // language's, so that a name read from the wrong word shows.
  const os::WindowId usKeysGerman = sys->AddApp(kEditor, L"A", 0x04090407);
  const os::WindowId germanKeysUs = sys->AddApp(kEditor, L"B", 0x04070409);
  const os::WindowId longName = sys->AddApp(kEditor, L"C", 0x04190419);
  sys->LanguageNames[0x0419] = std::wstring(200, L'r');
  auto& w = Create();
  struct Case {
    os::WindowId Window;
    std::wstring Layout, Lang;
  };
  const Case cases[] = {
      {editor, L"EN-US", L"English"},
      {usKeysGerman, L"DE-DE", L"German"},
      {germanKeysUs, L"EN-US", L"English"},
      {longName, L"-", std::wstring(127, L'r')},  // read into a buffer of 128 characters
  };
  for (const Case& c : cases) {
    ui::TreeNode* node = Find(w, c.Window);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(Text(w, node, window_tree::kColLayout), c.Layout) << c.Window.Value;
    EXPECT_EQ(Text(w, node, window_tree::kColLang), c.Lang) << c.Window.Value;
  }
}

TEST_F(WinTreeTest, EveryInputAttachIsUndoneAndARefusedOneStillReads) {
  sys->AttachRefused.insert(sys->Window(editor).ThreadId);
  auto& w = Create();
  EXPECT_EQ(sys->OpenAttachments, 0);
  EXPECT_EQ(sys->InputAttaches.size(), Lines(w).size()) << "one attach per listed window";
  EXPECT_EQ(Text(w, Find(w, editor), window_tree::kColLayout), L"EN-US");
}

TEST_F(WinTreeTest, AFailingWalkStillEndsTheFill) {
  sys->OnWindowText = [this](os::WindowId window) {
    if (window == guarded) throw os::Error(L"walk failed");
  };
  auto& w = Create();  // the creation handler's error goes to the exception barrier
  sys->MessageBoxes.clear();
  EXPECT_THROW(w.FillTree(), os::Error);
  EXPECT_EQ(Lines(w).size(), 5u) << "what was listed before the error stays";
  EXPECT_TRUE(w.vstWinTree.FirstNode()->Expanded());
  EXPECT_EQ(sys->OpenAttachments, 0);
  // The tree's update has ended: a node added now is laid out and can be selected.
  w.vstWinTree.SetSelected(w.vstWinTree.FirstNode());
  EXPECT_EQ(w.vstWinTree.Selected(), w.vstWinTree.FirstNode());
}

TEST_F(WinTreeTest, SystemClassesGetReadableNames) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases{
      {L"#32769", L"Desktop"},        {L"#32770", L"Dialog Box"},
      {L"#32771", L"Task Switch Window"}, {L"#327700", L"#327700"},
      {L"#3277", L"#3277"},           {L"#32770 ", L"#32770 "},
      {L"dialog box", L"dialog box"}, {L"", L""},
  };
  for (const auto& [cls, shown] : cases) {
    EXPECT_EQ(window_tree::ShownClassName(cls), shown);
  }
}

TEST_F(WinTreeTest, TitlesAndClassesAreCutAt127Characters) {
  const std::wstring longTitle(300, L'x');
  sys->Titles[palette] = longTitle;
  sys->Window(palette).ClassName = std::wstring(200, L'c');
  auto& w = Create();
  const TWinTree& r = Find(w, palette)->Data<TWinTree>();
  EXPECT_EQ(r.Title, std::wstring(127, L'x'));
  EXPECT_EQ(r.WindowClass, std::wstring(127, L'c'));
}

TEST_F(WinTreeTest, TwoWindowsOfOneProgramGiveOnePathAndOneIconQuery) {
  auto& w = Create();
  EXPECT_EQ(w.ImagePaths(), (std::set<std::wstring>{L"", kEditor}));
  int asked = 0;
  for (const auto& q : shell->IconQueries) asked += q.Name == kEditor ? 1 : 0;
  EXPECT_EQ(asked, 1);
}

TEST_F(WinTreeTest, IconsOfTheFirstColumnAndTheFilenameColumn) {
  auto& w = Create();
  auto image = [&w](ui::TreeNode* n, int column) {
    int index = -2;
    w.vstWinTreeGetImageIndex(n, column, ui::ImageKind::Normal, index);
    return index;
  };
  const int desktopIcon = tray::DM->SysImageList.ImageIndexOf(
      L"shell:::{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", false);
  const int editorIcon = tray::DM->SysImageList.ImageIndexOf(kEditor, false);
  ASSERT_NE(desktopIcon, editorIcon);
  EXPECT_EQ(image(w.vstWinTree.FirstNode(), window_tree::kColClass), desktopIcon);
  EXPECT_EQ(image(Find(w, editor), window_tree::kColClass), editorIcon);
  EXPECT_EQ(image(Find(w, editorEdit), window_tree::kColClass), -2) << "deeper nodes: none";
  EXPECT_EQ(image(Find(w, editorEdit), window_tree::kColFilename), editorIcon);
  EXPECT_EQ(image(Find(w, editor), window_tree::kColTitle), -2);
}

}  // namespace
}  // namespace win_tree_test
