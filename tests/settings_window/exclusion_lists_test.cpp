// The exclusion trees: each change saved at once with its filter rebuilt, the adds, the resets
// and the two hot-key copies.
#include <gtest/gtest.h>

#include "indicators/lang_info_mouse.h"
#include "pages_fixture.h"
#include "settings_window/exclusion_lists.h"
#include "settings_window/string_data.h"
#include "tray/data_module.h"

namespace {

using monitor::TfMain;
using settings_window::TStringData;
using testing_support::PagesFixture;
using Rows = std::vector<std::pair<bool, std::wstring>>;

class ExclusionTrees : public PagesFixture {
 protected:
  static Rows RowsOf(ui::TreeList& tree) {
    Rows r;
    for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) {
      r.emplace_back(n->Checked(), n->Data<TStringData>().EntryText);
    }
    return r;
  }
  static std::wstring FocusedName(ui::TreeList& tree) {
    ui::TreeNode* n = tree.FocusedNode();
    return n != nullptr ? n->Data<TStringData>().EntryText : L"(none)";
  }
  static void Press(ui::TreeList& tree, WORD key) {
    WORD k = key;
    tree.OnKeyDown(k);
  }
  // Starts with empty lists on both pages, all switches on.
  TfMain& EmptyLists() {
    auto& w = CreateMainWindow();
    S().SL_Exclude_WindowClass.clear();
    S().SL_Exclude_AppFileName.clear();
    S().SL_Exclude_AppFileName2.clear();
    S().IsDontShowByWindowClass = S().IsDontShowByApplicationFilename = true;
    S().IsDontShowByApplicationFilename2 = true;
    w.FormShow();
    return w;
  }
};

TEST_F(ExclusionTrees, PlaceholdersAreNumberedByTheirPlaceAndEachAddSavesWithItsFilter) {
  auto& w = EmptyLists();
  const int before = Saves();
  w.SpeedButton3.Click();
  w.SpeedButton3.Click();
  w.SpeedButton2.Click();
  w.SpeedButton8.Click();
  EXPECT_EQ(RowsOf(w.vstExclude_WindowClass), (Rows{{true, L"WindowClass0"}, {true, L"WindowClass1"}}));
  EXPECT_EQ(FocusedName(w.vstExclude_WindowClass), L"WindowClass1");
  EXPECT_EQ(w.vstExclude_WindowClass.Selected(), w.vstExclude_WindowClass.FocusedNode());
  EXPECT_EQ(RowsOf(w.vstExclude_AppName), (Rows{{true, L"AppName0.exe"}}));
  EXPECT_EQ(RowsOf(w.vstExclude_AppName2), (Rows{{true, L"AppName0.exe"}}));
  // Each add: the check's own save, then the add's save.
  EXPECT_EQ(Saves() - before, 8);
  EXPECT_EQ(*core::FilterWindowClass, (core::TStringList{L"WINDOWCLASS0", L"WINDOWCLASS1"}));
  EXPECT_EQ(*core::FilterAppFileName, (core::TStringList{L"APPNAME0.EXE"}));
  EXPECT_EQ(*core::FilterAppFileName2, (core::TStringList{L"APPNAME0.EXE"}));
  EXPECT_EQ(S().SL_Exclude_WindowClass, (core::TStringList{L"1;WindowClass0", L"1;WindowClass1"}));
  EXPECT_NE(SettingsText().find("1;WindowClass1"), std::string::npos);

  // After deleting the first, the next placeholder repeats the second's name.
  w.vstExclude_WindowClass.SetFocusedNode(w.vstExclude_WindowClass.FirstNode());
  Press(w.vstExclude_WindowClass, VK_DELETE);
  w.SpeedButton3.Click();
  EXPECT_EQ(RowsOf(w.vstExclude_WindowClass), (Rows{{true, L"WindowClass1"}, {true, L"WindowClass1"}}));
}

TEST_F(ExclusionTrees, DelRemovesTheFocusedRowAndSavesTheListWithoutIt) {
  auto& w = EmptyLists();
  settings_window::AppendExclusion(w.vstExclude_AppName2, L"far.exe");
  ui::TreeList& tree = w.vstExclude_AppName2;
  tree.SetFocusedNode(nullptr);
  int before = Saves();
  Press(tree, VK_DELETE);
  EXPECT_EQ(tree.RootCount(), 1) << "no focused row: nothing";
  EXPECT_EQ(Saves(), before);
  tree.SetFocusedNode(tree.FirstNode());
  Press(tree, VK_DELETE);
  EXPECT_EQ(tree.RootCount(), 0);
  EXPECT_EQ(Saves() - before, 1);
  EXPECT_TRUE(S().SL_Exclude_AppFileName2.empty());
  EXPECT_TRUE(core::FilterAppFileName2->empty());
}

TEST_F(ExclusionTrees, AnEditedNameIsTrimmedAndSavedAndABlankOneKeepsTheRow) {
  auto& w = EmptyLists();
  ui::TreeList& tree = w.vstExclude_AppName;
  ui::TreeNode* row = settings_window::AppendExclusion(tree, L"AppName0.exe");
  const struct {
    const wchar_t *Typed, *Stored, *Filter;
  } cases[] = {{L"  notepad.exe \t", L"notepad.exe", L"NOTEPAD.EXE"},
               {L"\x01" L"Caf\u00e9 App.exe\r\n", L"Caf\u00e9 App.exe", L"CAF\u00e9 APP.EXE"},
               {L"   ", L"", L""}};
  for (const auto& c : cases) {
    const int before = Saves();
    tree.OnNewText(row, 0, c.Typed);
    EXPECT_EQ(row->Data<TStringData>().EntryText, c.Stored);
    EXPECT_EQ(Saves() - before, 1);
    EXPECT_EQ(*core::FilterAppFileName, (core::TStringList{c.Filter}));
  }
  EXPECT_EQ(tree.RootCount(), 1);
  EXPECT_EQ(S().SL_Exclude_AppFileName, (core::TStringList{L"1;"}));
}

TEST_F(ExclusionTrees, F2AndEnterStartTheEditAndKeysDuringItDoNothing) {
  auto& w = EmptyLists();
  w.Show();
  ui::TreeList& tree = w.vstExclude_WindowClass;
  tree.SetBounds(0, 0, 300, 300);
  tree.Handle();
  settings_window::AppendExclusion(tree, L"Shell_TrayWnd");
  for (WORD key : {WORD{VK_F2}, WORD{VK_RETURN}}) {
    tree.SetFocusedNode(nullptr);
    Press(tree, key);
    EXPECT_FALSE(tree.IsEditing()) << "no focused row";
    tree.SetFocusedNode(tree.FirstNode());
    Press(tree, key);
    EXPECT_TRUE(tree.IsEditing()) << key;
    const int before = Saves();
    Press(tree, VK_DELETE);
    EXPECT_EQ(tree.RootCount(), 1) << "Del while editing";
    tree.CancelEditNode();
    EXPECT_EQ(Saves(), before) << "a cancelled edit saves nothing";
    EXPECT_EQ(RowsOf(tree), (Rows{{true, L"Shell_TrayWnd"}}));
  }
}

TEST_F(ExclusionTrees, TheOpenDialogAddsTheFileNameOnlyAndACancelDoesNothing) {
  auto& w = EmptyLists();
  sys->OpenDialogAnswers = {std::nullopt, L"C:\\Program Files\\Far Manager\\Far.exe",
                            L"D:\\Tools\\MyApp.EXE"};
  int before = Saves();
  w.SpeedButton1.Click();
  EXPECT_EQ(w.vstExclude_AppName.RootCount(), 0);
  EXPECT_EQ(Saves(), before);
  w.SpeedButton1.Click();
  w.SpeedButton7.Click();
  EXPECT_EQ(sys->OpenDialogCalls.size(), 3u);
  EXPECT_EQ(RowsOf(w.vstExclude_AppName), (Rows{{true, L"Far.exe"}}));
  EXPECT_EQ(w.vstExclude_AppName.FocusedNode(), nullptr) << "neither focused";
  EXPECT_EQ(RowsOf(w.vstExclude_AppName2), (Rows{{true, L"MyApp.EXE"}}));
  EXPECT_EQ(*core::FilterAppFileName, (core::TStringList{L"FAR.EXE"}));
  EXPECT_EQ(*core::FilterAppFileName2, (core::TStringList{L"MYAPP.EXE"}));
}

TEST_F(ExclusionTrees, UncheckingRemovesTheNameFromTheFilterAndKeepsTheRow) {
  auto& w = EmptyLists();
  ui::TreeNode* row = settings_window::AppendExclusion(w.vstExclude_WindowClass, L"Notepad");
  EXPECT_EQ(*core::FilterWindowClass, (core::TStringList{L"NOTEPAD"}));
  const int before = Saves();
  w.vstExclude_WindowClass.SetChecked(row, false);
  EXPECT_TRUE(core::FilterWindowClass->empty());
  EXPECT_EQ(S().SL_Exclude_WindowClass, (core::TStringList{L"0;Notepad"}));
  EXPECT_EQ(Saves() - before, 1);
  // While starting, or while its page is filled, a check saves nothing.
  core::IsStarting = true;
  w.vstExclude_WindowClass.SetChecked(row, true);
  core::IsStarting = false;
  core::IsFillingExcludeList = true;
  w.vstExclude_WindowClass.SetChecked(row, false);
  core::IsFillingExcludeList = false;
  EXPECT_EQ(Saves() - before, 1);
}

TEST_F(ExclusionTrees, TheResetsRestoreTheBuiltInEntriesWithTheSwitchesOn) {
  auto& w = EmptyLists();
  settings_window::AppendExclusion(w.vstExclude_WindowClass, L"Mine");
  settings_window::AppendExclusion(w.vstExclude_AppName2, L"mine.exe");
  w.swDontShowByWindowClass.Click();
  w.swDontShowByApplicationFilename2.Click();
  ASSERT_FALSE(S().IsDontShowByWindowClass);
  w.btnExcludeListReset.Click();
  w.btnExcludeListReset2.Click();
  EXPECT_EQ(RowsOf(w.vstExclude_WindowClass),
            (Rows{{true, L"MSTaskListWClass"}, {true, L"MSTaskSwWClass"}, {true, L"Shell_TrayWnd"},
                  {true, L"Start"}, {true, L"TrayNotifyWnd"}, {true, L"TrayButton"}}));
  EXPECT_EQ(RowsOf(w.vstExclude_AppName), (Rows{{true, L"SystemSettings.exe"}, {true, L"calc.exe"},
                                                {true, L"CalculatorApp.exe"}}));
  EXPECT_EQ(RowsOf(w.vstExclude_AppName2), (Rows{{true, L"cmd.exe"}, {true, L"Far.exe"}}));
  EXPECT_TRUE(S().IsDontShowByWindowClass);
  EXPECT_TRUE(S().IsDontShowByApplicationFilename2);
  EXPECT_EQ(*core::FilterWindowClass,
            (core::TStringList{L"MSTASKLISTWCLASS", L"MSTASKSWWCLASS", L"SHELL_TRAYWND", L"START",
                               L"TRAYNOTIFYWND", L"TRAYBUTTON"}));
  EXPECT_EQ(*core::FilterAppFileName,
            (core::TStringList{L"SYSTEMSETTINGS.EXE", L"CALC.EXE", L"CALCULATORAPP.EXE"}));
  EXPECT_EQ(*core::FilterAppFileName2, (core::TStringList{L"CMD.EXE", L"FAR.EXE"}));
  EXPECT_EQ(S().SL_Exclude_AppFileName2, (core::TStringList{L"1;cmd.exe", L"1;Far.exe"}));
}

// --- The hot-key copies

class HotKeyCopies : public ExclusionTrees {
 protected:
  void PointerOver(const std::wstring& windowClass, const std::wstring& app) {
    monitor::fLangInfoMouse->L_WindowClass.SetCaption(windowClass);
    monitor::fLangInfoMouse->L_AppName.SetCaption(app);
  }
};

TEST_F(HotKeyCopies, TheShiftCopyAddsWhatTheIndicatorShowsAndSaysSo) {
  auto& w = EmptyLists();
  settings_window::AppendExclusion(w.vstExclude_WindowClass, L"Notepad");
  const struct {
    const wchar_t *Class, *App;
    Rows Classes, Apps;
    const wchar_t* Message;
  } cases[] = {
      {L"Notepad", L"notepad.exe", {{true, L"Notepad"}, {true, L"Notepad"}},
       {{true, L"notepad.exe"}},
       L"Window Class: Notepad\r\n\r\nApp Name: notepad.exe\r\n\r\nhas beed added to list."},
      {L"", L"calc.exe", {{true, L"Notepad"}, {true, L"Notepad"}},
       {{true, L"notepad.exe"}, {true, L"calc.exe"}},
       L"Window Class: \r\n\r\nApp Name: calc.exe\r\n\r\nhas beed added to list."},
  };
  for (const auto& c : cases) {
    PointerOver(c.Class, c.App);
    w.CopyPointerInfoToExcludeLists();
    EXPECT_EQ(RowsOf(w.vstExclude_WindowClass), c.Classes);
    EXPECT_EQ(RowsOf(w.vstExclude_AppName), c.Apps);
    EXPECT_EQ(FocusedName(w.vstExclude_AppName), c.App);
    ASSERT_FALSE(sys->MessageBoxes.empty());
    EXPECT_EQ(sys->MessageBoxes.back().Text, c.Message);
    EXPECT_EQ(sys->MessageBoxes.back().Caption, L"Halvarin");
    EXPECT_EQ(sys->MessageBoxes.back().Flags, unsigned{MB_OK | MB_ICONINFORMATION | MB_TASKMODAL});
    EXPECT_EQ(w.ShownPageIndex(), 4);
  }
  EXPECT_EQ(FocusedName(w.vstExclude_WindowClass), L"Notepad");
  EXPECT_EQ(w.vstExclude_WindowClass.FocusedNode(), w.vstExclude_WindowClass.Root(1));
  EXPECT_EQ(*core::FilterWindowClass, (core::TStringList{L"NOTEPAD", L"NOTEPAD"}));
  EXPECT_EQ(*core::FilterAppFileName, (core::TStringList{L"NOTEPAD.EXE", L"CALC.EXE"}));
  EXPECT_NE(SettingsText().find("1;calc.exe"), std::string::npos);
}

TEST_F(HotKeyCopies, TheAltCopyAddsOnlyTheApplicationToTheCaretList) {
  auto& w = EmptyLists();
  PointerOver(L"Notepad", L"notepad.exe");
  w.CopyAppNameToCaretExcludeList();
  EXPECT_EQ(RowsOf(w.vstExclude_AppName2), (Rows{{true, L"notepad.exe"}}));
  EXPECT_EQ(FocusedName(w.vstExclude_AppName2), L"notepad.exe");
  EXPECT_EQ(w.vstExclude_WindowClass.RootCount(), 0);
  EXPECT_EQ(w.vstExclude_AppName.RootCount(), 0);
  EXPECT_EQ(*core::FilterAppFileName2, (core::TStringList{L"NOTEPAD.EXE"}));
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  EXPECT_EQ(sys->MessageBoxes[0].Text, L"App Name: notepad.exe\r\n\r\nhas beed added to list.");
  EXPECT_EQ(w.ShownPageIndex(), 7);
}

// Each copy brings the main window up, topmost, on the page of its list before its box opens,
// and the box is owned by the main window: an unowned box could lie behind it.
TEST_F(HotKeyCopies, EachCopyShowsItsPageTopmostUnderABoxOwnedByTheMainWindow) {
  auto& w = EmptyLists();
  PointerOver(L"Notepad", L"notepad.exe");
  const struct {
    const char* Name;
    void (TfMain::*Copy)();
    int Page;
  } cases[] = {{"Shift", &TfMain::CopyPointerInfoToExcludeLists, 4},
               {"Alt", &TfMain::CopyAppNameToCaretExcludeList, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    w.ShowMainWindow(false, 0);
    w.HideToTray();
    ::SetWindowPos(w.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    ASSERT_FALSE(::IsWindowVisible(w.Handle()));
    struct {
      bool Shown = false, Topmost = false;
      int Page = -1;
    } seen;
    sys->DuringMessageBox = [&] {
      seen.Shown = w.Visible() && ::IsWindowVisible(w.Handle());
      seen.Topmost = (::GetWindowLongPtrW(w.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      seen.Page = w.ShownPageIndex();
    };
    const size_t boxes = sys->MessageBoxes.size();
    (w.*c.Copy)();
    sys->DuringMessageBox = nullptr;
    ASSERT_EQ(sys->MessageBoxes.size(), boxes + 1);
    EXPECT_EQ(sys->MessageBoxes.back().Owner.Value, reinterpret_cast<std::uintptr_t>(w.Handle()));
    EXPECT_TRUE(seen.Shown);
    EXPECT_TRUE(seen.Topmost);
    EXPECT_EQ(seen.Page, c.Page);
    EXPECT_EQ(w.TrayIcon.Tag, 0) << "shown, not in the notification area";
  }
  ::SetWindowPos(w.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  w.Hide();
}

TEST_F(HotKeyCopies, NothingHappensWhileTheIndicatorIsHiddenOffOrShowsNoName) {
  auto& w = EmptyLists();
  const struct {
    bool IsShow;
    int Tag;
    const wchar_t *Class, *App;
  } cases[] = {{false, 0, L"Notepad", L"notepad.exe"},
               {true, 1, L"Notepad", L"notepad.exe"},
               {true, 0, L"", L""}};
  for (const auto& c : cases) {
    S().MouseIndicator_IsShow = c.IsShow;
    monitor::fLangInfoMouse->Tag = c.Tag;
    PointerOver(c.Class, c.App);
    const int before = Saves();
    w.CopyPointerInfoToExcludeLists();
    w.CopyAppNameToCaretExcludeList();
    EXPECT_EQ(Saves(), before);
    EXPECT_TRUE(sys->MessageBoxes.empty());
    EXPECT_EQ(w.vstExclude_WindowClass.RootCount() + w.vstExclude_AppName.RootCount() +
                  w.vstExclude_AppName2.RootCount(),
              0);
  }
}

TEST_F(HotKeyCopies, ACopyBeforeTheFirstShowKeepsTheSavedEntries) {
  auto& w = CreateMainWindow();
  S().SL_Exclude_WindowClass = {L"1;Shell_TrayWnd"};
  PointerOver(L"Notepad", L"");
  w.CopyPointerInfoToExcludeLists();
  EXPECT_EQ(RowsOf(w.vstExclude_WindowClass), (Rows{{true, L"Shell_TrayWnd"}, {true, L"Notepad"}}));
  EXPECT_EQ(S().SL_Exclude_WindowClass, (core::TStringList{L"1;Shell_TrayWnd", L"1;Notepad"}));
}

TEST_F(HotKeyCopies, ExitFromTheTrayWhileTheBoxIsOpenOnlyRequestsTheClose) {
  auto& w = EmptyLists();
  PointerOver(L"Notepad", L"notepad.exe");
  bool exited = false;
  sys->DuringMessageBox = [&] {
    tray::DM->pmm_ExitClick(*tray::DM->pmm_Exit);
    exited = true;
  };
  w.CopyPointerInfoToExcludeLists();
  ASSERT_TRUE(exited);
  EXPECT_EQ(monitor::fMain, &w);
  EXPECT_NE(core::Settings, nullptr);
  EXPECT_EQ(RowsOf(w.vstExclude_AppName), (Rows{{true, L"notepad.exe"}}));
}

}  // namespace
