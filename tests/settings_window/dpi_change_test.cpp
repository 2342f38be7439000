// The main window moved to a monitor of another DPI (a real WM_DPICHANGED): the class library
// scales the window to the new DPI, then the window rebuilds its navigation tree and language
// lists, with the sizes Scale gives at the DPI of start-up.
#include <gtest/gtest.h>
#include <windows.h>

#include "pages_fixture.h"
#include "settings_window/action_data.h"
#include "settings_window/lang_data.h"
#include "tray/data_module.h"

namespace {

using settings_window::TLangsData;

class MainWindowDpiChange : public testing_support::PagesFixture {};

TEST_F(MainWindowDpiChange, TheNavigationAndTheLanguageListsAreBuiltAgain) {
  sys->AddLocale(0x0407, L"de", L"DE", L"German (Germany)", L"DEU");
  sys->KeyboardLayouts = {0x04090409, 0x04070407};
  sys->Dpi = 144;
  auto& w = ShownMainWindow();
  w.vstActions.SetSelected(w.vstActions.Root(4));
  ASSERT_EQ(w.ShownPageIndex(), 5);
  ASSERT_EQ(w.PanelLeft.Width(), 315);  // 210 at 144 DPI
  ui::TreeList& lang = w.vstLang_DesktopIndicator;
  ASSERT_EQ(lang.RootCount(), 2);
  lang.AddChild(nullptr, TLangsData{L"EN", L"GB"});  // a row no layout has
  ASSERT_EQ(tray::DM->IL_Flag16.Count(), 2);
  const int languageColumn = lang.ColumnWidth(1);  // at least 120, more where its caption needs it
  ASSERT_GE(languageColumn, 120);

  sys->Dpi = 96;  // the screen as the program would read it now
  RECT r{};
  ::GetWindowRect(w.Handle(), &r);
  RECT suggested{r.left, r.top, r.left + (r.right - r.left) * 2 / 3,
                 r.top + (r.bottom - r.top) * 2 / 3};
  ::SendMessageW(w.Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&suggested));

  EXPECT_EQ(w.Dpi(), 96);
  EXPECT_EQ(w.PanelLeft.Width(), 210) << "scaled to the new monitor";
  EXPECT_EQ(w.ShownPageIndex(), 0) << "the navigation was built again";
  ASSERT_EQ(w.vstActions.TotalCount(), 10);
  for (ui::TreeNode* n = w.vstActions.FirstNode(); n != nullptr; n = w.vstActions.NextNode(n)) {
    w.vstActions.RowRect(n);  // lays the row out, asking for its height
    EXPECT_EQ(n->Height(), 45) << "Scale(30) with the DPI of start-up";
  }
  EXPECT_EQ(lang.RootCount(), 2) << "one row per layout again";
  EXPECT_EQ(lang.Root(1)->Data<TLangsData>().CountryISO3166, L"DE");
  EXPECT_EQ(lang.DefaultNodeHeight(), 30) << "the tree's own row height, scaled";
  EXPECT_EQ(lang.Root(1)->Height(), 30);
  EXPECT_EQ(lang.ColumnWidth(1), ::MulDiv(languageColumn, 96, 144)) << "scaled to the new monitor";
  EXPECT_EQ(tray::DM->IL_Flag16.Count(), 2);
}

}  // namespace
