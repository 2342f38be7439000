// The five per-language colour trees: rows from the installed layouts, their defaults, the
// swatches, the hand cursor over them and the colour dialog behind them.
#include <gtest/gtest.h>

#include "os/text.h"
#include "support/ui_pixels.h"
#include "pages_fixture.h"
#include "settings_window/lang_data.h"
#include "settings_window/language_lists.h"
#include "tray/data_module.h"

namespace {

using monitor::TfMain;
using settings_window::TLangsData;
using testing_support::ColorDialogAnswer;
using testing_support::PagesFixture;

class LanguageTrees : public PagesFixture {
 protected:
  static std::vector<ui::TreeList*> Trees(TfMain& w) {
    return {&w.vstLang_DesktopIndicator, &w.vstLang_DesktopBorder, &w.vstLang_MouseIndicator,
            &w.vstLang_CaretIndicator, &w.vstLang_RGB};
  }
  static std::vector<TLangsData> Rows(ui::TreeList& tree) {
    std::vector<TLangsData> rows;
    for (ui::TreeNode* n = tree.FirstNode(); n != nullptr; n = tree.NextNode(n)) {
      rows.push_back(n->Data<TLangsData>());
    }
    return rows;
  }
  static std::wstring Text(ui::TreeList& tree, ui::TreeNode* node, int column) {
    std::wstring text = L"unset";
    tree.OnGetText(node, column, text);
    return text;
  }
  static int Image(ui::TreeList& tree, ui::TreeNode* node, int column) {
    int index = -2;
    tree.OnGetImageIndex(node, column, ui::ImageKind::Normal, index);
    return index;
  }
  // English (United States), German twice (two layouts of one language), Spanish (Latin
  // America) whose region 419 has no flag.
  void ScriptFourLayouts() {
    sys->AddLocale(0x0407, L"de", L"DE", L"German (Germany)", L"DEU");
    sys->AddLocale(0x0580, L"es", L"419", L"Spanish (Latin America)", L"ESJ");
    sys->KeyboardLayouts = {0x04090409, 0x04070407, 0xF0A00407, 0x05800580};
  }
};

TEST_F(LanguageTrees, EveryTreeHasOneRowPerLayoutWithItsTextsAndFlag) {
  ScriptFourLayouts();
  auto& w = CreateMainWindow();
  for (ui::TreeList* tree : Trees(w)) {
    ASSERT_EQ(tree->RootCount(), 4);
    const struct {
      const wchar_t *Name, *Lang, *Country;
      bool HasFlag;
    } expected[] = {{L"English (United States)", L"EN", L"US", true},
                    {L"German (Germany)", L"DE", L"DE", true},
                    {L"German (Germany)", L"DE", L"DE", true},
                    {L"Spanish (Latin America)", L"ES", L"419", false}};
    for (int i = 0; i < 4; ++i) {
      ui::TreeNode* n = tree->Root(i);
      EXPECT_EQ(Text(*tree, n, 0), expected[i].Name);
      EXPECT_EQ(Text(*tree, n, 1), expected[i].Lang);
      EXPECT_EQ(Text(*tree, n, 2), expected[i].Country);
      EXPECT_EQ(Text(*tree, n, 3), L"");
      const int flag = Image(*tree, n, 0);
      EXPECT_EQ(flag >= 0, expected[i].HasFlag) << i;
      if (flag >= 0) {
        EXPECT_EQ(tray::DM->IL_Flag25.Name(flag), i == 0 ? L"us" : L"de");
      }
      EXPECT_EQ(Image(*tree, n, 1), -2) << "only column 0 has an image";
    }
  }
  // One image per layout with a flag, both sizes in the same order.
  ASSERT_EQ(tray::DM->IL_Flag16.Count(), 3);
  ASSERT_EQ(tray::DM->IL_Flag25.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(tray::DM->IL_Flag16.Name(i), tray::DM->IL_Flag25.Name(i));
  EXPECT_EQ(tray::DM->IL_Flag25.Name(2), L"de");
}

TEST_F(LanguageTrees, RowsWithoutASavedColourTakeTheDefaultsOfTheirTreeAndPlace) {
  for (unsigned id : {0x0401u, 0x0402u, 0x0403u, 0x0404u, 0x0405u, 0x0406u, 0x0408u}) {
    sys->AddLocale(id, L"xx", L"US", L"Layout", L"XXX");
  }
  sys->KeyboardLayouts = {0x04090409, 0x04010401, 0x04020402, 0x04030403,
                          0x04040404, 0x04050405, 0x04060406, 0x04080408};
  auto& w = CreateMainWindow();
  // TColor values: lime, red, aqua, fuchsia, yellow, blue, then black from the seventh on.
  const os::TColor byPlace[] = {0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF,
                                0x00FFFF, 0xFF0000, 0,        0};
  const auto border = Rows(w.vstLang_DesktopBorder);
  const auto rgb = Rows(w.vstLang_RGB);
  ASSERT_EQ(border.size(), 8u);
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(border[i].BorderColor, byPlace[i]) << i;
    EXPECT_EQ(rgb[i].RgbColor, byPlace[i]) << i;
    EXPECT_EQ(Rows(w.vstLang_DesktopIndicator)[i].FontColor, 0xFFFFFF);
    EXPECT_EQ(Rows(w.vstLang_DesktopIndicator)[i].BackgroundColor, 0xCC6600);
    EXPECT_EQ(Rows(w.vstLang_MouseIndicator)[i].FontColor, 0);
    EXPECT_EQ(Rows(w.vstLang_MouseIndicator)[i].BackgroundColor, 0xE1FFFF);
    EXPECT_EQ(Rows(w.vstLang_CaretIndicator)[i].FontColor, 0);
    EXPECT_EQ(Rows(w.vstLang_CaretIndicator)[i].BackgroundColor, 0xE1FFFF);
  }
}

TEST_F(LanguageTrees, SavedColoursAreFoundByCountryWithoutCaseAndABadValueGivesTheDefault) {
  ScriptFourLayouts();
  auto& w = CreateMainWindow();
  S().SL_Lang_DesktopBorder_Color = {L"us=FF0000", L"DE=0000FF", L"DE=00FF00"};
  S().SL_Lang_Color_Font = {L"US=not colour", L"DE=112233"};
  S().SL_Lang_RGB_Color = {L"US="};
  w.FillLanguageLists();
  const auto border = Rows(w.vstLang_DesktopBorder);
  EXPECT_EQ(border[0].BorderColor, 0x0000FF) << "red whatever its place";
  EXPECT_EQ(border[1].BorderColor, 0xFF0000) << "the first DE entry counts";
  EXPECT_EQ(border[2].BorderColor, 0xFF0000);
  EXPECT_EQ(border[3].BorderColor, 0xFF00FF) << "the fourth place's default";
  const auto desktop = Rows(w.vstLang_DesktopIndicator);
  EXPECT_EQ(desktop[0].FontColor, 0xFFFFFF) << "not colour text: the column's default";
  EXPECT_EQ(desktop[1].FontColor, 0x332211);
  EXPECT_EQ(Rows(w.vstLang_RGB)[0].RgbColor, os::clInfoBk) << "an empty value counts";
  EXPECT_EQ(Rows(w.vstLang_RGB)[1].RgbColor, 0x0000FF) << "second place: red";
}

TEST_F(LanguageTrees, EveryPerLanguageListComesBackAsItWasLoaded) {
  ScriptFourLayouts();
  auto& w = ShownMainWindow();
  const core::TStringList saved[] = {
      {L"US=010203", L"DE=040506", L"DE=040506", L"419=070809"},
      {L"US=111213", L"DE=141516", L"DE=141516", L"419=171819"}};
  core::TStringList core::TSettings::*lists[] = {
      &core::TSettings::SL_Lang_Color_Font,
      &core::TSettings::SL_Lang_Color_Background,
      &core::TSettings::SL_Lang_DesktopBorder_Color,
      &core::TSettings::MouseIndicator_SL_Lang_Color_Font,
      &core::TSettings::MouseIndicator_SL_Lang_Color_Background,
      &core::TSettings::CaretIndicator_SL_Lang_Color_Font,
      &core::TSettings::CaretIndicator_SL_Lang_Color_Background,
      &core::TSettings::SL_Lang_RGB_Color};
  for (size_t i = 0; i < std::size(lists); ++i) S().*lists[i] = saved[i % 2];
  w.FillLanguageLists();
  for (auto list : lists) (S().*list).clear();
  S().ReadFromUI();
  for (size_t i = 0; i < std::size(lists); ++i) EXPECT_EQ(S().*lists[i], saved[i % 2]) << i;
}

TEST_F(LanguageTrees, AnUnreadableLayoutListLeavesTheTreesEmptyAndTheListsUntouchedBySaves) {
  auto& w = ShownMainWindow();
  S().SL_Lang_Color_Font = {L"US=123456", L"DE=654321"};
  const core::TStringList loaded = S().SL_Lang_Color_Font;
  const core::TStringList border = S().SL_Lang_DesktopBorder_Color;
  // The layouts become unreadable at a DPI change: the rebuild reports it and the rows go.
  sys->KeyboardLayoutListFails = true;
  w.FormAfterMonitorDpiChanged();
  ASSERT_EQ(sys->MessageBoxes.size(), 1u);
  EXPECT_EQ(sys->MessageBoxes[0].Text, L"Error loading keyboard layout list");
  for (ui::TreeList* tree : Trees(w)) EXPECT_EQ(tree->RootCount(), 0);
  EXPECT_EQ(tray::DM->IL_Flag16.Count(), 0);
  EXPECT_EQ(tray::DM->IL_Flag25.Count(), 0);
  w.swShowTime.Click();
  EXPECT_EQ(S().SL_Lang_Color_Font, loaded);
  EXPECT_EQ(S().SL_Lang_DesktopBorder_Color, border);
  // A row put in by other code still does not make the trees the working copy.
  w.vstLang_DesktopIndicator.AddChild(nullptr, TLangsData{L"EN", L"US"});
  w.swShowTime.Click();
  EXPECT_EQ(S().SL_Lang_Color_Font, loaded);
}

TEST(SwatchRect, TwentyFourByTwentyCentredOneMoreForOddCells) {
  const struct {
    os::Rect Cell, Swatch;
  } cases[] = {
      {{0, 0, 80, 30}, {28, 5, 52, 25}},
      {{100, 40, 181, 71}, {128, 45, 153, 66}},  // odd: 25 x 21
      {{10, 10, 20, 14}, {3, 2, 27, 22}},        // larger than a small cell
  };
  for (const auto& c : cases) {
    const os::Rect s = settings_window::SwatchRect(c.Cell);
    EXPECT_EQ(s.Left, c.Swatch.Left);
    EXPECT_EQ(s.Top, c.Swatch.Top);
    EXPECT_EQ(s.Right, c.Swatch.Right);
    EXPECT_EQ(s.Bottom, c.Swatch.Bottom);
  }
}

TEST_F(LanguageTrees, EachSwatchIsItsRowsColourInsideAOnePixelBlackFrame) {
  auto& w = ShownMainWindow();
  struct Swatch {
    ui::TreeList* Tree;
    int Column;
    os::TColor TLangsData::*Field;
    os::TColor Colour;
  };
  // Each colour field of the row a colour of its own, none black and none the tree's.
  const Swatch swatches[] = {
      {&w.vstLang_DesktopIndicator, 3, &TLangsData::FontColor, 0x2040C0},
      {&w.vstLang_DesktopIndicator, 4, &TLangsData::BackgroundColor, 0x30A050},
      {&w.vstLang_DesktopBorder, 3, &TLangsData::BorderColor, 0x9010E0},
      {&w.vstLang_MouseIndicator, 3, &TLangsData::FontColor, 0x4080F0},
      {&w.vstLang_MouseIndicator, 4, &TLangsData::BackgroundColor, 0x60C020},
      {&w.vstLang_CaretIndicator, 3, &TLangsData::FontColor, 0xA03070},
      {&w.vstLang_CaretIndicator, 4, &TLangsData::BackgroundColor, 0x1090B0},
      {&w.vstLang_RGB, 3, &TLangsData::RgbColor, 0x70D0E0},
  };
  for (const Swatch& s : swatches) s.Tree->FirstNode()->Data<TLangsData>().*s.Field = s.Colour;
  for (const Swatch& s : swatches) {
    SCOPED_TRACE(testing::Message() << os::WideToUtf8(s.Tree->Name) << " column " << s.Column);
    s.Tree->SetAlign(ui::Align::None);
    s.Tree->SetBounds(0, 0, 700, 300);
    testing_support::Surface surface(700, 300);
    s.Tree->PaintTo(surface.Dc());
    const os::Rect cell = s.Tree->CellRect(s.Tree->FirstNode(), s.Column);
    const os::Rect r = settings_window::SwatchRect(cell);
    // 24 x 20, one more across an odd cell width or height.
    ASSERT_EQ(r.Right - r.Left, 24 + cell.Width() % 2);
    ASSERT_EQ(r.Bottom - r.Top, 20 + cell.Height() % 2);
    EXPECT_EQ(surface.CountOtherThan({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, s.Colour),
              0)
        << "filled with the row's colour";
    for (const RECT edge : {RECT{r.Left, r.Top, r.Right, r.Top + 1},
                            RECT{r.Left, r.Bottom - 1, r.Right, r.Bottom},
                            RECT{r.Left, r.Top, r.Left + 1, r.Bottom},
                            RECT{r.Right - 1, r.Top, r.Right, r.Bottom}}) {
      EXPECT_EQ(surface.CountOtherThan(edge, RGB(0, 0, 0)), 0) << "framed in black";
    }
    // The cell around the swatch is the tree's, on every side.
    for (const POINT p : {POINT{r.Left - 1, r.Top + 5}, POINT{r.Right, r.Top + 5},
                          POINT{r.Left + 5, r.Top - 1}, POINT{r.Left + 5, r.Bottom}}) {
      EXPECT_NE(surface.At(p.x, p.y), RGB(0, 0, 0));
      EXPECT_NE(surface.At(p.x, p.y), s.Colour);
    }
  }
}

TEST_F(LanguageTrees, TheHandShowsStrictlyInsideASwatchAndTheTagNamesItsColumn) {
  auto& w = ShownMainWindow();
  for (ui::TreeList* tree : {&w.vstLang_MouseIndicator, &w.vstLang_RGB}) {
    tree->SetAlign(ui::Align::None);
    tree->SetBounds(0, 0, 700, 300);
    ui::TreeNode* row = tree->FirstNode();
    ASSERT_NE(row, nullptr);
    for (int column = 0; column < tree->ColumnCount(); ++column) {
      const os::Rect s = settings_window::SwatchRect(tree->CellRect(row, column));
      const bool colour = column >= 3;
      const struct {
        int X, Y;
        bool Inside;
      } points[] = {{s.Left + 1, s.Top + 1, true},    {s.Right - 1, s.Bottom - 1, true},
                    {s.Left, s.Top + 5, false},       {s.Left + 5, s.Bottom, false},
                    {s.Right, s.Top + 5, false},      {s.Left + 5, s.Top, false}};
      for (const auto& p : points) {
        tree->Tag = 99;
        const ui::TreeCursor cursor = tree->CursorAt(p.X, p.Y);
        const bool hand = colour && p.Inside;
        EXPECT_EQ(cursor, hand ? ui::TreeCursor::HandPoint : ui::TreeCursor::Arrow)
            << column << " at " << p.X << "," << p.Y;
        EXPECT_EQ(tree->Tag, hand ? column : -1);
      }
    }
    tree->Tag = 99;
    EXPECT_EQ(tree->CursorAt(5, 290), ui::TreeCursor::Default) << "no row: as the tree proposes";
    EXPECT_EQ(tree->Tag, -1);
  }
}

TEST_F(LanguageTrees, TheSwatchClickOpensTheDialogOnTheRowsColourAndSavesWhatIsConfirmed) {
  auto& w = ShownMainWindow();
  ui::TreeList& tree = w.vstLang_CaretIndicator;
  ui::TreeNode* row = tree.FirstNode();
  tree.SetFocusedNode(row);
  auto& data = row->Data<TLangsData>();
  sys->ColorDialogAnswers = {{ColorDialogAnswer::Cancel},
                             {ColorDialogAnswer::Keep},
                             {ColorDialogAnswer::Choose, 0x00AA55}};
  const struct {
    int Tag;
    os::TColor Field, Dialog, After;
    int Saves;
  } steps[] = {
      {4, 0xE1FFFF, 0xE1FFFF, 0xE1FFFF, 0},  // cancelled
      {4, 0xE1FFFF, 0xE1FFFF, 0xE1FFFF, 1},  // the same colour confirmed still saves
      {3, 0, 0, 0x00AA55, 1},
  };
  for (const auto& step : steps) {
    tree.Tag = step.Tag;
    const int before = Saves();
    const size_t calls = sys->ColorDialogCalls.size();
    tree.Click();
    ASSERT_EQ(sys->ColorDialogCalls.size(), calls + 1);
    EXPECT_EQ(sys->ColorDialogCalls.back().Initial, step.Dialog);
    EXPECT_TRUE(sys->ColorDialogCalls.back().FullOpen);
    EXPECT_EQ(step.Tag == 3 ? data.FontColor : data.BackgroundColor, step.After);
    EXPECT_EQ(Saves() - before, step.Saves);
  }
  EXPECT_EQ(S().CaretIndicator_SL_Lang_Color_Font, (core::TStringList{L"US=55AA00"}));
  // Outside a swatch (-1), or the 0 a tree starts with: no dialog.
  for (int tag : {-1, 0, 2}) {
    tree.Tag = tag;
    tree.Click();
  }
  EXPECT_EQ(sys->ColorDialogCalls.size(), 3u);
  tree.Tag = 4;
  tree.SetFocusedNode(nullptr);
  tree.Click();
  EXPECT_EQ(sys->ColorDialogCalls.size(), 3u) << "no focused row";
}

}  // namespace
