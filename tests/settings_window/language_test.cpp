#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/common.h"
#include "os/text.h"
#include "support/main_window_fixture.h"
#include "tray/data_module.h"

namespace {

using testing_support::MainWindowFixture;

std::set<int> Reserved() {
  std::set<int> r;
  for (auto [a, b] : {std::pair{15, 19}, {34, 39}, {48, 49}, {58, 69}, {83, 90}, {94, 99},
                      {111, 119}, {127, 129}, {193, 199}}) {
    for (int n = a; n <= b; ++n) r.insert(n);
  }
  return r;
}

std::set<int> AllNumbers() {
  std::set<int> all;
  for (int n = 1; n <= 129; ++n) all.insert(n);
  for (int n = 150; n <= 199; ++n) all.insert(n);
  for (int n = 250; n <= 256; ++n) all.insert(n);
  all.insert(500);
  all.insert(505);
  return all;
}

class TextTables : public MainWindowFixture {};

TEST_F(TextTables, BothHoldTheSameNumbersWithTheReservedOnesEmpty) {
  CreateMainWindow();
  for (const wchar_t* language : {L"English", L"Russian"}) {
    ASSERT_TRUE(main->SetLanguage(language));
    const core::Json* items = core::FindMember(*core::LangTable, "Items");
    ASSERT_NE(items, nullptr);
    std::set<int> numbers;
    for (const auto& [key, value] : items->items()) numbers.insert(std::stoi(key));
    EXPECT_EQ(numbers, AllNumbers()) << os::WideToUtf8(language);
    const auto reserved = Reserved();
    for (int n : AllNumbers()) {
      EXPECT_EQ(core::GetLangText(n).empty(), reserved.count(n) != 0)
          << os::WideToUtf8(language) << " text " << n;
    }
  }
}

TEST_F(TextTables, NamesAreMatchedWithoutRegardToCase) {
  CreateMainWindow();
  for (const wchar_t* name : {L"english", L"ENGLISH", L"English"}) {
    ASSERT_TRUE(main->SetLanguage(name));
    EXPECT_EQ(core::CurrentLanguageName, L"English");
    EXPECT_EQ(core::GetLangText(505), L"Web site");
  }
  ASSERT_TRUE(main->SetLanguage(L"russian"));
  EXPECT_EQ(core::CurrentLanguageName, L"\u0420\u0443\u0441\u0441\u043a\u0438\u0439");
  EXPECT_EQ(core::GetLangText(1), L"\u041e\u0431\u0449\u0438\u0435 \u043d\u0430\u0441\u0442\u0440\u043e\u0439\u043a\u0438");
}

TEST_F(TextTables, AnotherNameLeavesNoTable) {
  CreateMainWindow();
  EXPECT_FALSE(main->SetLanguage(L"Deutsch"));
  EXPECT_FALSE(core::LangTable);
  EXPECT_EQ(core::CurrentLanguageName, L"");
  EXPECT_EQ(core::GetLangText(505), L"");
  main->L_Autorun.SetCaption(L"layout");
  main->ApplyLanguage();
  EXPECT_EQ(main->L_Autorun.Caption(), L"layout") << "nothing changes without a table";
}

TEST_F(TextTables, CreationLoadsEnglishAndSetsTheCaptions) {
  auto& w = CreateMainWindow();
  EXPECT_EQ(core::CurrentLanguageName, L"English");
  EXPECT_EQ(w.L_MinimizedToTray.Caption(), L"Minimize To System Tray");
  EXPECT_EQ(w.L_TemporaryHide.Caption(), L"If you need Temporary Hide Indicators:");
  EXPECT_EQ(w.L_Enabled_AllIndicators.Caption(),
            L"Enabled - All Indicators (Mouse, Desktop, Border). Hot key - [Alt+Break]");
}

// Captions the window's layout already holds in English: only another table shows that they take
// their texts. Expected texts typed from the Russian table.
TEST_F(TextTables, TheRussianTableReachesTheCaptionsTheLayoutAlreadyHoldsInEnglish) {
  auto& w = CreateMainWindow();
  ASSERT_TRUE(w.SetLanguage(L"Russian"));
  w.ApplyLanguage();

  struct Header {
    ui::TreeList* Tree;
    int Column;
    const wchar_t* Text;
  };
  const Header headers[] = {
      {&w.vstLang_DesktopIndicator, 1, L"Язык ISO 639"},
      {&w.vstLang_DesktopIndicator, 2, L"Страна ISO 3166"},
      {&w.vstLang_DesktopIndicator, 3, L"Цвет текста"},
      {&w.vstLang_DesktopIndicator, 4, L"Цвет фона"},
      {&w.vstLang_MouseIndicator, 1, L"Язык ISO 639"},
      {&w.vstLang_MouseIndicator, 2, L"Страна ISO 3166"},
      {&w.vstLang_MouseIndicator, 3, L"Цвет текста"},
      {&w.vstLang_MouseIndicator, 4, L"Цвет фона"},
      {&w.vstLang_DesktopBorder, 1, L"Язык ISO 639"},
      {&w.vstLang_DesktopBorder, 2, L"Страна ISO 3166"},
      {&w.vstLang_DesktopBorder, 3, L"Цвет рамки"},
      {&w.vstLang_RGB, 1, L"Язык ISO 639"},
      {&w.vstLang_RGB, 2, L"Страна ISO 3166"},
      {&w.vstLang_RGB, 3, L"Цвет клавиатуры"},
  };
  for (const Header& h : headers) {
    EXPECT_EQ(h.Tree->Column(h.Column).Text, h.Text) << os::WideToUtf8(h.Tree->Name) << " "
                                                       << h.Column;
  }

  for (ui::FlatButton* reset : {&w.btnDesktopIndicatorReset, &w.btnDesktopBorderReset,
                                &w.btnMouseIndicatorReset, &w.btnExcludeListReset,
                                &w.btnSystemTrayIndicatorReset, &w.SpeedButton5,
                                &w.btnExcludeListReset2}) {
    EXPECT_EQ(reset->Caption(), L"Сбросить") << os::WideToUtf8(reset->Name);
  }
  EXPECT_EQ(w.btnHide.Caption(), L"Скрыть");
  EXPECT_EQ(w.btnWinTree.Caption(), L"Дерево окон");
  EXPECT_EQ(w.cbCaretIndicatorPosition.Caption(), L" Положение ");
  EXPECT_EQ(w.cbCaretIndicatorPosition.Items(),
            (std::vector<std::wstring>{L"Вверху слева", L"Вверху справа", L"Внизу слева",
                                       L"Внизу справа"}));
}

TEST_F(TextTables, RunTimeSwitchesSetTheFlags) {
  auto& w = CreateMainWindow();
  w.swEnabled_MouseIndicator.SetChecked(false);
  EXPECT_FALSE(core::IsEnabled_MouseIndicator);
  EXPECT_TRUE(core::IsEnabled_AllIndicator);
  w.swEnabled_AllIndicator.Click();
  EXPECT_FALSE(core::IsEnabled_AllIndicator);
}

}  // namespace
