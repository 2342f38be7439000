#include <gtest/gtest.h>

#include <string>

#include "monitor/foreground.h"
#include "support/fake_system.h"

namespace {

using testing_support::FakeWindow;
using testing_support::ScopedFakeSystem;

constexpr std::uint64_t kEnUs = 0x04090409;
constexpr std::uint64_t kDeDe = 0x04070407;
constexpr std::uint64_t kRuRu = 0x04190419;
constexpr std::uint64_t kUsDvorak = 0xF0020409;  // a second layout of the same language
constexpr std::uint64_t kUnknown = 0x04A004A0;   // a language the system has no names for

struct LayoutNames {
  std::wstring Iso639, LanguageName, CountryAbbrev, Iso3166, LanguageAbbrev;
  friend bool operator==(const LayoutNames&, const LayoutNames&) = default;
};

void PrintTo(const LayoutNames& n, std::ostream* os) {
  *os << testing::PrintToString(n.Iso639) << " " << testing::PrintToString(n.LanguageName) << " "
      << testing::PrintToString(n.CountryAbbrev) << " " << testing::PrintToString(n.Iso3166)
      << " " << testing::PrintToString(n.LanguageAbbrev);
}

LayoutNames ReadLayout() {
  // Filled with junk first: every output must be written, also when it comes out empty.
  LayoutNames n{L"x", L"x", L"x", L"x", L"x"};
  monitor::GetForegroundLayoutInfo(n.Iso639, n.LanguageName, n.CountryAbbrev, n.Iso3166,
                                   n.LanguageAbbrev);
  return n;
}

class ForegroundLayout : public testing::Test {
 protected:
  void SetUp() override {
    fake->AddLocale(0x0407, L"de", L"DE", L"German (Germany)", L"DEU", L"DEU");
    fake->AddLocale(0x0419, L"ru", L"RU", L"Russian (Russia)", L"RUS", L"RUS");
  }
  ScopedFakeSystem fake;
};

TEST_F(ForegroundLayout, FiveNamesOfTheForegroundThreadsLayout) {
  struct Case {
    std::uint64_t Layout;
    LayoutNames Expected;
  };
  const Case cases[] = {
      {kEnUs, {L"EN", L"English (United States)", L"USA", L"US", L"ENU"}},
      {kDeDe, {L"DE", L"German (Germany)", L"DEU", L"DE", L"DEU"}},
      {kRuRu, {L"RU", L"Russian (Russia)", L"RUS", L"RU", L"RUS"}},
      {kUsDvorak, {L"EN", L"English (United States)", L"USA", L"US", L"ENU"}},
      {kUnknown, {}},
  };
  for (const Case& c : cases) {
    fake->Foreground = fake->AddApp(L"C:\\Apps\\editor.exe", L"Editor", c.Layout);
    EXPECT_EQ(ReadLayout(), c.Expected) << std::hex << c.Layout;
  }
}

TEST_F(ForegroundLayout, FollowsALayoutSwitchAndAnotherForegroundWindow) {
  const os::WindowId editor = fake->AddApp(L"C:\\Apps\\editor.exe", L"Editor", kEnUs);
  const os::WindowId browser = fake->AddApp(L"C:\\Apps\\browser.exe", L"Browser", kDeDe);
  fake->Foreground = editor;
  EXPECT_EQ(ReadLayout().Iso3166, L"US");
  fake->SwitchLayout(editor, kRuRu);
  EXPECT_EQ(ReadLayout().Iso3166, L"RU");
  EXPECT_EQ(ReadLayout().Iso639, L"RU");
  fake->Foreground = browser;
  EXPECT_EQ(ReadLayout().Iso3166, L"DE");
}

TEST_F(ForegroundLayout, NoForegroundWindowOrNoThreadGivesEmptyNames) {
  fake->AddApp(L"C:\\Apps\\editor.exe", L"Editor", kEnUs);
  EXPECT_EQ(ReadLayout(), LayoutNames{}) << "no foreground window";
  fake->Foreground = os::WindowId{0x7777};  // a window that is gone: its thread reads as 0
  EXPECT_EQ(ReadLayout(), LayoutNames{});
}

TEST_F(ForegroundLayout, UpperCasesOnlyTheLanguageCodeAndOnlyLettersAToZ) {
  fake->AddLocale(0x0425, L"et-\u00e4", L"ee", L"eesti (Eesti)", L"eti", L"est");
  fake->Foreground = fake->AddApp(L"C:\\Apps\\editor.exe", L"Editor", 0x04250425);
  EXPECT_EQ(ReadLayout(), (LayoutNames{L"ET-\u00e4", L"eesti (Eesti)", L"est", L"ee", L"eti"}));
}

TEST_F(ForegroundLayout, ANameLongerThanTheBufferReadsAsUnknown) {
  // The names are read into 1025 characters with the terminating null: 1024 fit.
  fake->Foreground = fake->AddApp(L"C:\\Apps\\editor.exe", L"Editor", kEnUs);
  fake->Locales[{0x0409, os::kLocaleSLanguage}] = std::wstring(1024, L'e');
  fake->Locales[{0x0409, os::kLocaleSAbbrevCtryName}] = std::wstring(1025, L'c');
  const LayoutNames n = ReadLayout();
  EXPECT_EQ(n.LanguageName.size(), 1024u);
  EXPECT_EQ(n.CountryAbbrev, L"");
  EXPECT_EQ(n.Iso3166, L"US");
}

// --- Caret, class and application of the foreground window

struct CaretResult {
  bool FromAccessibility = false;
  os::Point Pt{-1, -1};
  int Width = -1;
  int Height = -1;
  std::wstring ClassName = L"caller's class";
  std::wstring AppName = L"caller.exe";
};

CaretResult AskCaret() {
  CaretResult r;
  r.FromAccessibility = monitor::GetCaretPosition(r.Pt, r.Width, r.Height, r.ClassName, r.AppName);
  return r;
}

class CaretPosition : public testing::Test {
 protected:
  void SetUp() override {
    // A notepad-like window at (100, 50) whose client area starts at (104, 80), with an edit
    // control whose client area starts at (150, 200) on the screen.
    app = fake->AddApp(L"C:\\Windows\\System32\\notepad.exe", L"Notepad", kEnUs,
                       {100, 50, 900, 650});
    fake->Window(app).ClientOrigin = {104, 80};
    FakeWindow edit;
    edit.ClassName = L"Edit";
    edit.ThreadId = fake->Window(app).ThreadId;
    edit.Bounds = {146, 196, 880, 640};
    edit.ClientOrigin = {150, 200};
    this->edit = fake->AddWindow(edit);
    fake->Foreground = app;
  }
  ScopedFakeSystem fake;
  os::WindowId app;
  os::WindowId edit;
};

TEST_F(CaretPosition, NoForegroundWindowLeavesClassAndAppNameAsTheyWere) {
  fake->Foreground = {};
  fake->PlaceCaret(edit, {7, 3, 8, 19});
  const CaretResult r = AskCaret();
  EXPECT_FALSE(r.FromAccessibility);
  EXPECT_EQ(r.Pt, (os::Point{0, 0}));
  EXPECT_EQ(r.Width, 0);
  EXPECT_EQ(r.Height, 0);
  EXPECT_EQ(r.ClassName, L"caller's class");
  EXPECT_EQ(r.AppName, L"caller.exe");
  EXPECT_TRUE(fake->AccessibleCaretQueries.empty());
}

TEST_F(CaretPosition, GuiThreadCaretIsMappedWithTheCaretsOwnWindow) {
  fake->PlaceCaret(edit, {7, 3, 8, 19});
  const CaretResult r = AskCaret();
  EXPECT_FALSE(r.FromAccessibility);
  EXPECT_EQ(r.Pt, (os::Point{157, 203})) << "the edit control's client origin plus the caret";
  EXPECT_EQ(r.Width, 0) << "the size comes from the accessibility caret only";
  EXPECT_EQ(r.Height, 0);
  EXPECT_EQ(r.ClassName, L"Notepad") << "the foreground window's class, not the control's";
  EXPECT_EQ(r.AppName, L"notepad.exe");
}

TEST_F(CaretPosition, NoCaretWindowMeansNoCaret) {
  // The focus sits in the control, but the thread has no caret: not the window's corner.
  fake->ThreadOf(app).Focus = edit;
  CaretResult r = AskCaret();
  EXPECT_FALSE(r.FromAccessibility);
  EXPECT_EQ(r.Pt, (os::Point{0, 0}));
  // Nor when the thread has neither focus nor caret.
  fake->ThreadOf(app).Focus = {};
  r = AskCaret();
  EXPECT_FALSE(r.FromAccessibility);
  EXPECT_EQ(r.Pt, (os::Point{0, 0}));
  EXPECT_EQ(r.ClassName, L"Notepad");
}

TEST_F(CaretPosition, AccessibilityCaretWinsWhenPresent) {
  fake->Window(edit).AccessibleCaret = os::Rect{300, 400, 302, 420};
  struct Case {
    const char* Name;
    bool GuiCaret;
  };
  for (const Case c : {Case{"with a GUI-thread caret", true}, Case{"without one", false}}) {
    if (c.GuiCaret) {
      fake->PlaceCaret(edit, {7, 3, 8, 19});
    } else {
      fake->ThreadOf(app) = {fake->ThreadOf(app).ProcessId, kEnUs, edit, {}, {}};
    }
    const CaretResult r = AskCaret();
    EXPECT_TRUE(r.FromAccessibility) << c.Name;
    EXPECT_EQ(r.Pt, (os::Point{300, 400})) << c.Name;
    EXPECT_EQ(r.Width, 2) << c.Name;
    EXPECT_EQ(r.Height, 20) << c.Name;
  }
}

TEST_F(CaretPosition, AccessibilityCaretIsAskedOfTheFocusWindowOnly) {
  fake->Window(app).AccessibleCaret = os::Rect{300, 400, 302, 420};
  CaretResult r = AskCaret();  // no focus window
  EXPECT_TRUE(fake->AccessibleCaretQueries.empty());
  EXPECT_FALSE(r.FromAccessibility);
  EXPECT_EQ(r.Pt, (os::Point{0, 0}));

  fake->PlaceCaret(edit, {7, 3, 8, 19});  // focus in the control, whose caret object fails
  r = AskCaret();
  ASSERT_EQ(fake->AccessibleCaretQueries, std::vector<os::WindowId>{edit});
  EXPECT_FALSE(r.FromAccessibility);
  EXPECT_EQ(r.Pt, (os::Point{157, 203})) << "a failing caret object leaves the GUI-thread caret";
  EXPECT_EQ(r.Width, 0);
  EXPECT_EQ(r.Height, 0);
}

TEST_F(CaretPosition, ClassNameKeepsAtMost126Characters) {
  const std::wstring name200 = std::wstring(100, L'A') + std::wstring(100, L'B');
  struct Case {
    std::wstring ClassName;
    std::wstring Expected;
  };
  const Case cases[] = {
      {L"Chrome_WidgetWin_1", L"Chrome_WidgetWin_1"},
      {name200.substr(0, 126), name200.substr(0, 126)},
      {name200.substr(0, 127), name200.substr(0, 126)},
      {name200, name200.substr(0, 126)},
  };
  for (const Case& c : cases) {
    fake->Window(app).ClassName = c.ClassName;
    EXPECT_EQ(AskCaret().ClassName, c.Expected) << c.ClassName.size();
    EXPECT_EQ(monitor::WindowClassText(app), c.Expected) << c.ClassName.size();
  }
  fake->Foreground = os::WindowId{0x7777};  // gone between the calls: the class reads as empty
  EXPECT_EQ(AskCaret().ClassName, L"");
}

TEST_F(CaretPosition, AppNameIsThePathAfterItsLastBackslashOrColon) {
  struct Case {
    std::wstring Path;
    std::wstring Expected;
  };
  const Case cases[] = {
      {L"C:\\Windows\\System32\\calc.exe", L"calc.exe"},
      {L"C:calc.exe", L"calc.exe"},
      {L"C:\\Tools\\odd:name.exe", L"name.exe"},
      {L"\\\\server\\share\\app.exe", L"app.exe"},
      {L"D:\\Folder.with.dots\\My App.EXE", L"My App.EXE"},
      {L"bare.exe", L"bare.exe"},
      {L"C:\\Tools\\", L""},
  };
  for (const Case& c : cases) {
    fake->ProcessOf(app).ImagePath = c.Path;
    EXPECT_EQ(AskCaret().AppName, c.Expected) << c.Path;
  }
}

TEST_F(CaretPosition, AProcessThatCannotBeAskedKeepsTheCallersAppName) {
  fake->PlaceCaret(edit, {7, 3, 8, 19});
  fake->ProcessOf(app).CannotOpen = true;  // for example one running with higher rights
  CaretResult r = AskCaret();
  EXPECT_EQ(r.AppName, L"caller.exe");
  EXPECT_EQ(r.ClassName, L"Notepad") << "class and caret are still read";
  EXPECT_EQ(r.Pt, (os::Point{157, 203}));

  fake->ProcessOf(app) = {};  // opens, but the path query fails
  EXPECT_EQ(AskCaret().AppName, L"caller.exe");

  // Its layout names are still given.
  std::wstring iso639, name, countryAbbrev, iso3166, abbrev;
  monitor::GetForegroundLayoutInfo(iso639, name, countryAbbrev, iso3166, abbrev);
  EXPECT_EQ(iso3166, L"US");
}

}  // namespace
